#include "examples/wallet-cli/CommandRun.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/async/CancellationError.hpp"
#include "platform/async/CancellationToken.hpp"
#include "platform/http/URLError.hpp"

namespace corvend::cli {
namespace {

using ::testing::ElementsAre;
using namespace std::chrono_literals;

auto& queue() {
    return platform::MainQueue::shared();
}

// Waits, bounded, until `done` holds; it is set off the main thread.
void waitFor(const std::atomic<bool>& done) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!done && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
    ASSERT_TRUE(done);
}

class CommandRunTest : public ::testing::Test {
  protected:
    std::optional<CommandRun::Stopped> told;
    std::shared_ptr<CommandRun> run =
        CommandRun::make([this](const CommandRun::Stopped& known) { told = known; });
    std::vector<std::string> seen;
};

// A change whose result was in hand at Ctrl-C is shown, a read's is dropped, and nothing the
// shown result would start begins.
TEST_F(CommandRunTest, AResultInHandIsShownForAChangeOnlyAndStartsNothing) {
    std::atomic<bool> made{false};
    std::atomic<bool> read{false};
    run->call(
        [&] {
            made = true;
            return 1;
        },
        [&](Result<int>) {
            seen.emplace_back("made");
            run->call([] { return 2; }, [&](Result<int>) { seen.emplace_back("next"); }, "next");
        },
        "the thing may have been made");
    run->call(
        [&] {
            read = true;
            return 3;
        },
        [&](Result<int>) { seen.emplace_back("read"); });
    waitFor(made);
    waitFor(read);
    run->stop();
    ASSERT_TRUE(queue().runUntil([&] { return told.has_value(); }, 10s));
    EXPECT_THAT(seen, ElementsAre("made"));
    EXPECT_TRUE(told->resultCame);
    EXPECT_TRUE(told->unknown.empty());
    EXPECT_FALSE(told->abandoned);
}

// Ctrl-C cancels a call under way and undoes the steps; the words say what a change may have
// left; from then on nothing starts and nothing reaches the command.
TEST_F(CommandRunTest, ACallUnderWayIsCancelledAndTheStepsUndone) {
    const auto waitForCancel = [] {
        while (!platform::isCancelled()) std::this_thread::sleep_for(1ms);
        throw platform::CancellationError();
        return 0;
    };
    run->call(
        waitForCancel, [&](Result<int>) { seen.emplace_back("sent"); },
        "the transfer may have reached the service");
    run->call(waitForCancel, [&](Result<int>) { seen.emplace_back("read"); });
    const auto screen = run->step([&] { seen.emplace_back("screen closed"); });
    auto outside = guarded([&] { seen.emplace_back("outside a command"); });
    ASSERT_TRUE(screen);
    CommandRun::setCurrent(run);
    auto answer = guarded([&] { seen.emplace_back("answer"); });
    CommandRun::setCurrent(nullptr);

    run->stop();
    EXPECT_FALSE(run->isLive());
    EXPECT_FALSE(run->step([] {}));
    answer();
    ASSERT_TRUE(queue().runUntil([&] { return told.has_value(); }, 10s));
    outside();
    EXPECT_THAT(seen, ElementsAre("screen closed", "outside a command"));
    EXPECT_THAT(told->unknown, ElementsAre("the transfer may have reached the service"));
    EXPECT_FALSE(told->resultCame);
    // Ended by the cancellation, not let go.
    EXPECT_FALSE(told->abandoned);
}

// A call that does not end when cancelled is let go within a second, as one that may have
// made its change.
TEST_F(CommandRunTest, ACallThatIgnoresCancellationIsLetGo) {
    std::promise<int> reply;
    run->call([answer = reply.get_future().share()] { return answer.get(); },
              [&](Result<int>) { seen.emplace_back("reply"); }, "the card may have been issued");
    run->stop();
    // Its reply never comes: only the stop's own bound ends the wait.
    ASSERT_TRUE(queue().runUntil([&] { return told.has_value(); }, 10s));
    EXPECT_TRUE(told->abandoned);
    EXPECT_THAT(told->unknown, ElementsAre("the card may have been issued"));
    // Its report, whenever it comes, finds the run ended.
    reply.set_value(1);
}

// A change whose connection broke after sending, or whose reply does not say how the service
// ended it (a gateway's 502 after the service acted), is told as Ctrl-C tells it, with its
// cause, and stops the command: never "failed", nothing sent again. One that sent nothing, the
// service's refusal (a 4xx, its document or not), and a read fail as they are.
TEST_F(CommandRunTest, AChangeWhoseReplyWasLostStopsTheCommandAsUnknown) {
    using Code = platform::URLError::Code;
    using model::WalletError;
    const auto failing = [](auto error) { return [error]() -> int { throw error; }; };
    const auto lost = platform::URLError(Code::networkConnectionLost, "The connection was lost.");
    const auto gateway =
        WalletError::internalError(model::ErrorCode::unreadableErrorDocument, "c-1");
    run->call(
        failing(platform::URLError(Code::cannotConnectToHost, "Nobody answered.")),
        [&](Result<int>) { seen.emplace_back("refused connection"); }, "the card may be");
    run->call(
        failing(WalletError::dataError({.httpStatus = 409, .code = "CONFLICT"})),
        [&](Result<int>) { seen.emplace_back("refused"); }, "the card may be");
    run->call(
        failing(WalletError::internalError(model::ErrorCode::notFound)),
        [&](Result<int>) { seen.emplace_back("not found"); }, "the card may be");
    run->call(failing(lost), [&](Result<int>) { seen.emplace_back("read"); });
    run->call(failing(gateway), [&](Result<int>) { seen.emplace_back("read of a gateway"); });
    ASSERT_TRUE(queue().runUntil([&] { return seen.size() == 5; }, 10s));
    EXPECT_TRUE(run->isLive());

    for (const auto& [error, why, idLine] :
         {std::tuple{Error::make(platform::URLError(Code::timedOut, "Timed out.")),
                     "no reply came (Timed out.)", ""},
          {Error::make(gateway), "the reply did not say how it ended (Internal error. [I0006])",
           "\nError ID: c-1"},
          // Never the kit's or the service's advice to try again: the change may have been made.
          {Error::make(WalletError::dataError(
               {.httpStatus = 504, .code = "GATEWAY", .message = "Timed out. Please retry."})),
           "the reply did not say how it ended (HTTP 504 [GATEWAY])", ""},
          {Error::make(WalletError::serviceUnavailable()),
           "the reply did not say how it ended (Service Unavailable, HTTP 503)", ""},
          {Error::make(WalletError::internalError(model::ErrorCode::undecodableBody)),
           "the reply did not say how it ended (Internal error. [I0005])", ""}}) {
        SCOPED_TRACE(why);
        told.reset();
        run = CommandRun::make([this](const CommandRun::Stopped& known) { told = known; });
        run->call([error] { error.rethrow(); }, [&](Result<void>) { seen.emplace_back("change"); },
                  "the transfer may have reached the service");
        ASSERT_TRUE(queue().runUntil([&] { return told.has_value(); }, 10s));
        EXPECT_FALSE(run->isLive());
        EXPECT_EQ(told->lost, why);
        EXPECT_EQ(CommandRun::report("transfer", *told),
                  "transfer: " + std::string(why) + ": the transfer may have reached the service" +
                      idLine + "\n");
    }
    EXPECT_THAT(seen, ::testing::UnorderedElementsAre("refused connection", "refused", "not found",
                                                      "read", "read of a gateway"));
}

// Output that cannot be written stops the run at the next thing it would ask or send: nothing
// starts; what was seen done and each step whose end was not seen are said, one beside the
// other, for standard error. So are they when the host fails with the command under way.
TEST_F(CommandRunTest, OutputLostOrAFailureOfTheHostSaysEveryStep) {
    std::ostringstream output;
    run = CommandRun::make([this](const CommandRun::Stopped& known) { told = known; }, &output);
    CommandRun::setCurrent(run);
    CommandRun::changed("transfer tr-1", "previewed", "transfer get tr-1");
    run->call(
        []() -> int { throw platform::URLError(platform::URLError::Code::timedOut, "Late."); },
        [&](Result<int>) { seen.emplace_back("created"); },
        "transfer tr-1 exists; its creation may have reached the service");
    ASSERT_TRUE(queue().runUntil([&] { return told.has_value(); }, 10s));
    CommandRun::setCurrent(nullptr);
    EXPECT_THAT(CommandRun::changes(),
                ElementsAre("transfer tr-1 was previewed (`transfer get tr-1` shows it)",
                            "transfer tr-1 exists; its creation may have reached the service"));

    // Lost after a run's creation (`| head -N`): the steps seen done are named in order.
    CommandRun::setCurrent(CommandRun::make([](const CommandRun::Stopped&) {}, &output));
    CommandRun::changed("transfer tr-2", "previewed", "transfer get tr-2");
    CommandRun::changed("deposit dep-1", "previewed", "deposit get dep-1");
    CommandRun::changed("transfer tr-2", "created", "transfer get tr-2");
    CommandRun::changed("deposit dep-1", "created", "deposit get dep-1");
    CommandRun::changed("deposit dep-1", "confirmed", "deposit get dep-1");
    CommandRun::setCurrent(nullptr);
    EXPECT_THAT(
        CommandRun::changes(),
        ElementsAre("transfer tr-2 was previewed and created (`transfer get tr-2` shows it)",
                    "deposit dep-1 was previewed, created and confirmed (`deposit get "
                    "dep-1` shows it)"));

    told.reset();
    run = CommandRun::make([this](const CommandRun::Stopped& known) { told = known; }, &output);
    CommandRun::setCurrent(run);
    EXPECT_TRUE(CommandRun::mayStart());
    output.setstate(std::ios::badbit);
    std::atomic<bool> sent{false};
    run->call(
        [&] {
            sent = true;
            return 1;
        },
        [&](Result<int>) { seen.emplace_back("confirmed"); }, "the confirmation");
    EXPECT_FALSE(CommandRun::mayStart());
    EXPECT_FALSE(run->step([] {}));
    ASSERT_TRUE(queue().runUntil([&] { return told.has_value(); }, 10s));
    CommandRun::setCurrent(nullptr);
    EXPECT_FALSE(sent);
    EXPECT_TRUE(seen.empty());
    EXPECT_TRUE(told->outputLost);
    EXPECT_EQ(CommandRun::report("transfer", *told),
              "transfer: stopped: its output could not be written\n");

    // The host fails after a deposit's confirmation was sent: its record, its step under way and
    // a call not yet answered are named; between commands, the failure alone.
    run = CommandRun::make([](const CommandRun::Stopped&) {});
    CommandRun::setCurrent(run);
    CommandRun::changed("card deposit cd-1", "previewed", "deposit get cd-1");
    const auto flow = run->step(nullptr, "cd-1's step under way may have reached the service");
    std::promise<int> reply;
    run->call([answer = reply.get_future().share()] { return answer.get(); },
              [&](Result<int>) { seen.emplace_back("late"); }, "the fee may have been charged");
    EXPECT_EQ(CommandRun::hostFailure("std::bad_alloc"),
              "wallet-cli: std::bad_alloc; card deposit cd-1 was previewed (`deposit get cd-1` "
              "shows it); the fee may have been charged; cd-1's step under way may have reached "
              "the service");
    EXPECT_FALSE(run->isLive());
    reply.set_value(1);
    CommandRun::setCurrent(nullptr);
    EXPECT_EQ(CommandRun::hostFailure("std::bad_alloc"), "wallet-cli: std::bad_alloc");

    // The host fails while a stopped command still awaits a call: what the stop already knew
    // unseen (its page's step) is named beside that call.
    run = CommandRun::make([](const CommandRun::Stopped&) {});
    CommandRun::setCurrent(run);
    const auto page = run->step(nullptr, "dep-2's page may have been answered");
    std::promise<int> held;
    run->call([answer = held.get_future().share()] { return answer.get(); },
              [&](Result<int>) { seen.emplace_back("late"); },
              "the confirmation may have reached the service");
    run->stop();
    EXPECT_EQ(CommandRun::hostFailure("std::bad_alloc"),
              "wallet-cli: std::bad_alloc; dep-2's page may have been answered; the "
              "confirmation may have reached the service");
    held.set_value(1);
    CommandRun::setCurrent(nullptr);
}

}  // namespace
}  // namespace corvend::cli
