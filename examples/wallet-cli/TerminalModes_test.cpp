#include "examples/wallet-cli/TerminalModes.hpp"

#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utmp.h>

#include <csignal>
#include <exception>

namespace corvend::cli {
namespace {

// An exception nothing caught ends the host with the terminal's modes as it found them.
TEST(TerminalModesTest, StdTerminatePutsTheModesBack) {
    int terminal = -1;
    int follower = -1;
    ASSERT_EQ(openpty(&terminal, &follower, nullptr, nullptr, nullptr), 0);
    termios found{};
    ASSERT_EQ(tcgetattr(follower, &found), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The terminal's own program, in its foreground, with the editor's modes in force.
        if (login_tty(follower) != 0) _exit(127);
        TerminalModes::shared().keep();
        termios editing = found;
        editing.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &editing);
        std::terminate();
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT) << status;
    termios after{};
    ASSERT_EQ(tcgetattr(terminal, &after), 0);
    EXPECT_EQ(after.c_lflag, found.c_lflag);
    close(follower);
    close(terminal);
}

}  // namespace
}  // namespace corvend::cli
