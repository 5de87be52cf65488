#include "platform/app/DesktopURLOpener.hpp"

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

namespace corvend::platform {
namespace {

// Stand-ins for the desktop's handler: the answer is the child's exit status, and the URL
// arrives as one argument whatever it holds.
TEST(DesktopURLOpenerTest, AnswersWhetherTheHandlerExitedWithZero) {
    const auto url = *URL::make("https://example.com/a?b=1&c=$(touch%20x)");
    const struct {
        std::vector<std::string> command;
        bool opened;
    } rows[] = {
        {{"sh", "-c", "test \"$0\" = 'https://example.com/a?b=1&c=$(touch%20x)'"}, true},
        {{"false"}, false},
        {{"/nonexistent/xdg-open"}, false},
        {{}, false},
    };
    for (const auto& row : rows) {
        std::promise<bool> answer;
        DesktopURLOpener(row.command).open(url, {}, [&](bool opened) { answer.set_value(opened); });
        EXPECT_EQ(answer.get_future().get(), row.opened)
            << (row.command.empty() ? "" : row.command[0]);
    }
}

}  // namespace
}  // namespace corvend::platform
