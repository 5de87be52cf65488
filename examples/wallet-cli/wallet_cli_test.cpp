// End to end: runs the built wallet-cli program and reads what it prints.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "sandbox/Sandbox.hpp"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

struct CliRun {
    int exitCode = -1;
    std::string output;  // stdout and stderr together
};

std::string quoted(const std::string& word) {
    std::string result = "'";
    for (char c : word) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

// A file holding `text` for the program's standard input; removed with the object.
class InputFile {
  public:
    explicit InputFile(const std::string& text) {
        std::string name = (std::filesystem::temp_directory_path() / "wallet-cli-input-XXXXXX");
        const int fd = mkstemp(name.data());
        if (fd < 0) throw std::runtime_error("cannot create a temporary file");
        close(fd);
        path_ = name;
        std::ofstream(path_) << text;
    }
    ~InputFile() { std::filesystem::remove(path_); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Runs wallet-cli with `arguments`, its input from `input` (or nothing), and returns its exit
// code and output.
CliRun runCli(const std::vector<std::string>& arguments, const std::string& input = "") {
    const InputFile stdinFile(input);
    std::string command = quoted(WALLET_CLI_PATH);
    for (const auto& argument : arguments) command += " " + quoted(argument);
    command += " <" + quoted(stdinFile.path()) + " 2>&1";

    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) throw std::runtime_error("cannot start " + command);
    std::array<char, 4096> buffer{};
    while (const std::size_t read = fread(buffer.data(), 1, buffer.size(), pipe)) {
        run.output.append(buffer.data(), read);
    }
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::size_t countOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// The fingerprint printed by a successful configure, if any.
std::optional<std::string> fingerprintIn(const std::string& output) {
    static const std::regex line(
        R"(configured, fingerprint ([0-9a-fA-F]{32}|[0-9a-fA-F]{8}(-[0-9a-fA-F]{4}){3}-[0-9a-fA-F]{12})\n)");
    std::smatch match;
    if (!std::regex_search(output, match, line)) return std::nullopt;
    return match[1].str();
}

TEST(WalletCliTest, ScriptedSessionAgainstTheEmbeddedSandboxSucceeds) {
    const CliRun run = runCli({"--script"});
    ASSERT_EQ(run.exitCode, 0) << run.output;

    static const std::regex versionLine(R"(kit version (\S+) \(version string (\S+), )");
    std::smatch version;
    ASSERT_TRUE(std::regex_search(run.output, version, versionLine)) << run.output;
    EXPECT_EQ(version[1], WALLET_CLI_EXPECTED_VERSION);
    EXPECT_EQ(version[2], WALLET_CLI_EXPECTED_VERSION);

    EXPECT_TRUE(fingerprintIn(run.output).has_value()) << run.output;
    EXPECT_THAT(run.output, HasSubstr("authenticated"));
    const auto configured = run.output.find("configured, fingerprint");
    const auto finished = run.output.find("demo finished");
    ASSERT_NE(finished, std::string::npos) << run.output;
    EXPECT_LT(configured, finished);
}

TEST(WalletCliTest, ScriptedSessionStopsOnARefusedConfigurationToken) {
    const CliRun run = runCli({"--script", "--config-token", "not-the-sandbox-token"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_THAT(run.output, HasSubstr("Invalid configuration token [C0003]"));
    EXPECT_THAT(run.output, Not(HasSubstr("demo finished")));
    EXPECT_THAT(run.output, Not(HasSubstr("authenticated")));
}

TEST(WalletCliTest, ScriptedSessionRefusesABaseURLThatIsNotOne) {
    const CliRun run = runCli({"--script", "--base-url", "ftp://127.0.0.1/"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_THAT(run.output, HasSubstr("Invalid base URL [C0001]"));
    EXPECT_THAT(run.output, Not(HasSubstr("local sandbox")));
}

TEST(WalletCliTest, UsesTheGivenBaseURLInsteadOfStartingASandbox) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    const CliRun run = runCli({"--script", "--base-url", sandbox.baseURL()});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, Not(HasSubstr("local sandbox")));
    EXPECT_THAT(run.output, HasSubstr("configuring against " + sandbox.baseURL()));
    EXPECT_FALSE(sandbox.requests().empty());
}

TEST(WalletCliTest, RunsCommandsReadFromStandardInputUntilQuit) {
    const CliRun run = runCli({},
                              "help\nbogus\nauthenticate\nconfigure\nauthenticate my-token\n"
                              "version\nquit\nversion\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, HasSubstr("configure [config-token]"));
    EXPECT_THAT(run.output, HasSubstr("unknown command 'bogus'"));
    // A token before the first configure would be dropped by the kit: said, not hidden.
    EXPECT_THAT(run.output, HasSubstr("not configured"));
    EXPECT_TRUE(fingerprintIn(run.output).has_value()) << run.output;
    EXPECT_EQ(countOf(run.output, "authenticated:"), 1u) << run.output;
    // Nothing after quit runs.
    EXPECT_EQ(countOf(run.output, "kit version"), 1u) << run.output;
}

TEST(WalletCliTest, EndsAtTheEndOfInputAndReportsAFailedConfigureReadably) {
    const CliRun run = runCli({}, "configure wrong-token\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, HasSubstr("ConfigurationError: Invalid configuration token [C0003]"));
}

}  // namespace
