// drive-screens against a sandbox whose pages and replies end its card deposits otherwise than it
// asks: each deposit is read back however its screens ended, and the exit status follows the
// read.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "sandbox/Sandbox.hpp"
#include "tests/support/ProgramRun.hpp"

namespace {

using corvend::sandbox::Sandbox;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* kFirstStatus = "digitalwallets/v1/profile/deposits/dep-1/status";

// Runs drive-screens against a sandbox scripted by `script`; stopped if it hangs.
corvend::testing::ProgramRun driveScreens(const std::function<void(Sandbox&)>& script) {
    Sandbox sandbox;
    sandbox.start();
    if (script) script(sandbox);
    return corvend::testing::runProgram("timeout 150 '" DRIVE_SCREENS_PATH "' '" +
                                        sandbox.baseURL() + "' 2>&1");
}

struct Case {
    const char* name;
    std::function<void(Sandbox&)> script;
    int exitCode;
    std::vector<std::string> said;
};

void check(const Case& c) {
    SCOPED_TRACE(c.name);
    const auto run = driveScreens(c.script);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.output;
    for (const auto& words : c.said) EXPECT_THAT(run.output, HasSubstr(words));
    // A deposit not read COMPLETED stops the run there.
    if (c.exitCode != 0) {
        EXPECT_THAT(run.output, Not(HasSubstr("customer verification")));
    }
}

TEST(DriveScreensTest, EachDepositIsReadBackWhateverItsFlowSaid) {
    const Case cases[] = {
        {"as asked",
         {},
         0,
         {"card deposit with a new card: completed\ndeposit dep-1: COMPLETED\n",
          "card deposit with the saved card: completed\ndeposit dep-2: COMPLETED\n",
          "customer verification: complete"}},
        // The page's "Approve" declines: the flow still ends `completed`.
        {"declined",
         [](Sandbox& sandbox) {
             sandbox.scriptNextReply(
                 "GET", "sandbox/3ds/dep-1",
                 {.body = R"(<title>3-D Secure</title><a href="/sandbox/3ds/dep-1/decline">)"
                          "Approve</a>",
                  .contentType = "text/html"});
         },
         1,
         {"card deposit with a new card: completed\ndeposit dep-1: FAILED\n",
          "drive-screens: deposit dep-1 is FAILED, not COMPLETED"}},
        // The confirmation reached the service, whose answer was lost to a gateway.
        {"confirmation answered 503",
         [](Sandbox& sandbox) {
             sandbox.scriptNextReply("POST", kFirstStatus, {.afterRoute = true});
             sandbox.scriptNextReply(
                 "POST", kFirstStatus,
                 {.status = 503, .afterRoute = true, .replaceRouteReply = true});
         },
         1,
         {"card deposit with a new card: the screens ended before \"Approve\": failed: ",
          "deposit dep-1: PROCESSING\n",
          "drive-screens: deposit dep-1 is PROCESSING, not COMPLETED"}},
    };
    for (const auto& c : cases) check(c);
}

// The page thanks instead of returning: the screens never end (the person waits out their
// patience). The deposit completed and is said so, but screens that did not end fail the run.
TEST(DriveScreensTest, ADepositWhosePageNeverReturnsIsReadBackToo) {
    check({"thank-you page",
           [](Sandbox& sandbox) {
               sandbox.scriptNextReply("GET", "sandbox/3ds/dep-1/approve",
                                       {.body = "<title>Thank you</title><p>Paid.</p>",
                                        .contentType = "text/html",
                                        .afterRoute = true,
                                        .replaceRouteReply = true});
           },
           1,
           {"card deposit with a new card: the screens did not end; the screen shows:",
            "deposit dep-1: COMPLETED\n",
            "drive-screens: card deposit with a new card: the screens did not end"}});
}

}  // namespace
