#include "CorvendWallet/facade/ConfigurationOrder.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "platform/async/CancellationError.hpp"
#include "platform/async/Task.hpp"

namespace corvend {
namespace {

using platform::Task;

// Turns that end before their time, one never run (its base URL was refused) and one cancelled
// while it waits, leave no gap: once the turn before them ends, the next one runs.
TEST(ConfigurationOrderTest, TurnsEndedWithoutRunningLetLaterTurnsRun) {
    ConfigurationOrder order;
    auto running = order.issue();
    auto neverRun = order.issue();
    auto cancelled = order.issue();
    const auto last = order.issue();

    const auto waitsInVain = Task<void>::detached([&turn = *cancelled] { turn.await(); });
    waitsInVain.cancel();
    EXPECT_THROW(waitsInVain.value(), platform::CancellationError);
    neverRun.reset();
    cancelled.reset();
    running.reset();

    std::promise<void> ran;
    const auto next = Task<void>::detached([&] {
        last->await();
        ran.set_value();
    });
    // Generous: reached only when the order is broken, and then the turn would wait for ever.
    if (ran.get_future().wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        next.cancel();
        ADD_FAILURE() << "the turn after those that ended early never ran";
    }
    EXPECT_NO_THROW(next.value());
}

}  // namespace
}  // namespace corvend
