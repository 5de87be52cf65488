// End to end: runs the built wallet-cli program and reads what it prints.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/wait.h>

#include <array>
#include <regex>
#include <string>
#include <vector>

#include "sandbox/Sandbox.hpp"

namespace {

using ::testing::ElementsAre;
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

// Runs wallet-cli with `arguments` and `input` on its standard input.
CliRun runCli(const std::vector<std::string>& arguments, const std::string& input = "") {
    std::string command = "printf '%s' " + quoted(input) + " | " + quoted(WALLET_CLI_PATH);
    for (const auto& argument : arguments) command += " " + quoted(argument);
    command += " 2>&1";

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

TEST(WalletCliTest, ScriptedSessionAgainstTheEmbeddedSandboxSucceeds) {
    const CliRun run = runCli({"--script"});
    ASSERT_EQ(run.exitCode, 0) << run.output;

    static const std::regex versionLine(R"(kit version (\S+) \(version string (\S+), )");
    std::smatch version;
    ASSERT_TRUE(std::regex_search(run.output, version, versionLine)) << run.output;
    EXPECT_EQ(version[1], WALLET_CLI_EXPECTED_VERSION);
    EXPECT_EQ(version[2], WALLET_CLI_EXPECTED_VERSION);

    static const std::regex fingerprint(
        R"(configured, fingerprint ([0-9a-fA-F]{32}|[0-9a-fA-F]{8}(-[0-9a-fA-F]{4}){3}-[0-9a-fA-F]{12})\n)");
    EXPECT_TRUE(std::regex_search(run.output, fingerprint)) << run.output;
    EXPECT_THAT(run.output, HasSubstr("authenticated"));
    const auto configured = run.output.find("configured, fingerprint");
    const auto finished = run.output.find("demo finished");
    ASSERT_NE(finished, std::string::npos) << run.output;
    EXPECT_LT(configured, finished);
    // The profile and the first history page, which shows the demo's own deposit and transfer.
    EXPECT_THAT(run.output, HasSubstr("customer cus-sandbox-1: Ana Novak, born 1990-05-17"));
    EXPECT_THAT(run.output, HasSubstr("transaction txn-tr-1: -2500 EUR TRANSFER, COMPLETED"));
    EXPECT_THAT(run.output, HasSubstr("transaction txn-dep-1: 2500 EUR DEPOSIT, COMPLETED"));
}

// The profile and history commands send their blocks and filters in the order given, and
// refuse a word they cannot read before anything is sent.
TEST(WalletCliTest, ProfileAndHistoryCommandsSendTheirBlocksAndFilters) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    const CliRun run = runCli(
        {"--base-url", sandbox.baseURL()},
        "configure\nauthenticate t\nprofile --include CONTACTINFO --include ACCOUNTS "
        "--include CONTACTINFO\nprofile --include contactInfo\nhistory transactions --type NOPE\n"
        "history authorizations --limit 2 --status APPROVED --from 2024-03-20\n"
        "history transactions --limit x\naccounts add USD\nkyc status\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, HasSubstr("'contactInfo' is not a profile block"));
    EXPECT_THAT(run.output, HasSubstr("'NOPE' is not a value the service knows"));
    EXPECT_THAT(run.output, HasSubstr("2 authorization(s) of 6"));
    EXPECT_THAT(run.output, HasSubstr("account acc-1: 0 USD, 0 instrument(s)"));
    EXPECT_THAT(run.output, HasSubstr("kyc IN_PROGRESS"));
    std::vector<std::string> sent;
    for (const auto& request : sandbox.requests()) {
        if (request.path.starts_with("/digitalwallets/v1/profile")) sent.push_back(request.target);
    }
    EXPECT_THAT(sent, ElementsAre("/digitalwallets/v1/profile?include=CONTACTINFO&include=ACCOUNTS"
                                  "&include=CONTACTINFO",
                                  "/digitalwallets/v1/profile/authorizations?limit=2"
                                  "&startDate=2024-03-20T00%3A00%3A00.000Z&status=APPROVED",
                                  "/digitalwallets/v1/profile/accounts",
                                  "/digitalwallets/v1/profile/kyc/status"));
}

TEST(WalletCliTest, ScriptedSessionStopsOnARefusedConfigurationToken) {
    const CliRun run = runCli({"--script", "--config-token", "not-the-sandbox-token"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_THAT(run.output, HasSubstr("Invalid configuration token [C0003]"));
    EXPECT_THAT(run.output, Not(HasSubstr("demo finished")));
    EXPECT_THAT(run.output, Not(HasSubstr("authenticated")));
}

// Lines run in order until quit; a payment command sends what its words say, and one whose
// amount or count is not all digits stops before anything is sent.
TEST(WalletCliTest, RunsCommandsReadFromStandardInputUntilQuitSendingWhatTheWordsSay) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    const CliRun run =
        runCli({"--base-url", sandbox.baseURL()},
               "help\nbogus\nauthenticate\nconfigure\nauthenticate\n"
               "deposit run 12abc EUR\ntransfer send 1.5 EUR ana@example.com\n"
               "withdrawal preview -5 EUR CARD\ndeposit preview +5 EUR\n"
               "withdrawal preview 9223372036854775808 EUR CARD\n"
               "withdrawal preview 2,500 EUR CARD\ntransfer list 5x\n"
               "withdrawal options\nwithdrawal preview 2500 EUR VELNO_TRANSFER cli-1\n"
               "withdrawal create wd-1\nwithdrawal confirm wd-1\n"
               "withdrawal list 5 0 cli-1\nquit\nwithdrawal get wd-1\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, Not(HasSubstr("local sandbox")));
    EXPECT_THAT(run.output, HasSubstr("configure [config-token]"));
    EXPECT_THAT(run.output, HasSubstr("unknown command 'bogus'"));
    // A token before the first configure would be dropped by the kit: said, not hidden.
    EXPECT_THAT(run.output, HasSubstr("not configured"));
    EXPECT_EQ(countOf(run.output, "authenticated:"), 1u) << run.output;
    EXPECT_EQ(countOf(run.output, "is not a whole number"), 7u) << run.output;
    EXPECT_THAT(run.output, HasSubstr("3 withdrawal option(s)"));
    EXPECT_THAT(run.output, HasSubstr("1 withdrawal(s) of 1\nwithdrawal wd-1: 2500 EUR by "
                                      "VELNO_TRANSFER, PROCESSING\n"));

    // Nothing after quit is sent.
    const std::string withdrawals = "/digitalwallets/v1/profile/withdrawals";
    std::vector<std::string> sent;
    for (const auto& request : sandbox.requests()) {
        if (request.path.starts_with("/digitalwallets/v1/profile/")) {
            sent.push_back(request.method + " " + request.target);
        }
    }
    EXPECT_THAT(sent, ElementsAre("GET " + withdrawals + "/options", "POST " + withdrawals,
                                  "POST " + withdrawals + "/wd-1/status",
                                  "POST " + withdrawals + "/wd-1/status",
                                  "GET " + withdrawals + "?limit=5&merchantRefNum=cli-1&offset=0"));
}

TEST(WalletCliTest, AppearanceInstallsTheDefaultOrADarkLookAndPrintsThePalette) {
    const CliRun run = runCli({}, "appearance dark\nappearance\nappearance bright\n");
    const std::regex darkBase(R"(dark appearance\n(.*\n)*background\.base +#141414 +#141414)");
    const std::regex defaultBase(
        R"(default appearance\n(.*\n)*background\.base +#F8F8F8 +#141414)");
    EXPECT_TRUE(std::regex_search(run.output, darkBase)) << run.output;
    EXPECT_TRUE(std::regex_search(run.output, defaultBase)) << run.output;
    // Fixed colours show the same in both modes, whichever appearance is installed.
    EXPECT_EQ(countOf(run.output, "#D31D33         #D31D33"), 2u);
    EXPECT_THAT(run.output, HasSubstr("usage: appearance [default|dark]"));
}

TEST(WalletCliTest, ChecksCardsAndFormatsMoneyWithoutTheService) {
    const CliRun run = runCli({},
                              "card check 4111-1111-1111-1111 01/20 12a\n"
                              "card check 5391520000000000\nmoney -123456 EUR de_DE\n"
                              "money 12345 jpy en_US\nmoney 5 XX\nquit\n");
    EXPECT_THAT(run.output, HasSubstr("brand: visa\nmasked: 4111 1111 1111 1111\nnumber: valid\n"
                                      "expiry: expired\ncvv: invalid\n"));
    EXPECT_THAT(run.output, HasSubstr("brand: tembroPrepaidMasterCard\nmasked: 5391 5200 0000 "
                                      "0000\nnumber: notSupported\n"));
    EXPECT_THAT(run.output, HasSubstr("-1.234,56\u00a0€\n"));
    EXPECT_THAT(run.output, HasSubstr("\n¥12,345\n"));
    EXPECT_THAT(run.output, HasSubstr("money: no text for currency XX"));
}

}  // namespace

// A person's session of the card-deposit screens, typed answers included, ends with one result:
// a new card through the 3-D Secure page, a saved card, and a flow closed on the summary.
TEST(WalletCliTest, CardDepositRunsTheScreensAndPrintsTheOneResult) {
    struct Case {
        std::vector<std::string> arguments;
        std::string input;
        std::string result;
        int exitCode;
    };
    const std::vector<Case> cases{
        {{"card-deposit", "2577", "EUR", "--script"}, "", "card deposit result: completed", 0},
        {{"card-deposit", "500", "EUR", "--saved-card", "pi-sandbox-card", "--script"},
         "",
         "card deposit result: completed",
         0},
        {{"card-deposit", "500", "EUR"},
         "4111111111111111\n123\n1230\n\nAdd a card\nclose\n",
         "card deposit result: cancelled",
         1},
    };
    for (const Case& run : cases) {
        const CliRun result = runCli(run.arguments, run.input);
        EXPECT_EQ(result.exitCode, run.exitCode) << result.output;
        EXPECT_EQ(countOf(result.output, "card deposit result:"), 1u) << result.output;
        EXPECT_THAT(result.output, HasSubstr(run.result));
        EXPECT_THAT(result.output, HasSubstr("Review the payment details"));
    }
}
