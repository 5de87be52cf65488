#pragma once

// Runs a shell command line to its end and keeps what it wrote to the pipe (its standard output,
// and whatever the line sends there) with its exit status: how the tests run the host programs
// as a script would.
//
//   const auto run = testing::runProgram("'" WALLET_CLI_PATH "' version 2>&1");
//   EXPECT_EQ(run.exitCode, 0) << run.output;

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace corvend::testing {

struct ProgramRun {
    int exitCode = -1;  // -1 when it did not exit (a signal ended it)
    std::string output;
};

inline ProgramRun runProgram(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) throw std::runtime_error("cannot start " + command);
    ProgramRun run;
    std::array<char, 4096> buffer{};
    while (const std::size_t read = fread(buffer.data(), 1, buffer.size(), pipe)) {
        run.output.append(buffer.data(), read);
    }
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace corvend::testing
