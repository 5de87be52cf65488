#include "platform/async/DispatchGroup.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

namespace corvend::platform {
namespace {

constexpr auto kSafetyNet = std::chrono::seconds(10);  // only a broken group waits this long

// Sets a promise when the last copy of the job holding it goes.
struct ReleaseSignal {
    std::promise<void> released;
    ~ReleaseSignal() { released.set_value(); }
};

TEST(DispatchGroupTest, NotifyRunsOnceAfterTheLastLeaveAndIsThenReleased) {
    DispatchGroup group;
    std::promise<void> atOnce;  // empty group: notified at once
    group.notify([&] { atOnce.set_value(); });
    ASSERT_EQ(atOnce.get_future().wait_for(kSafetyNet), std::future_status::ready);

    group.enter();
    group.enter();
    auto signal = std::make_shared<ReleaseSignal>();
    auto released = signal->released.get_future();
    std::promise<bool> notified;
    std::atomic<bool> leftBoth{false};
    group.notify([&, signal] { notified.set_value(leftBoth.load()); });
    signal.reset();
    group.leave();
    leftBoth = true;
    group.leave();
    auto ran = notified.get_future();
    ASSERT_EQ(ran.wait_for(kSafetyNet), std::future_status::ready);
    EXPECT_TRUE(ran.get());
    // Nothing keeps the job once it ran, so a later round of work cannot replay it.
    ASSERT_EQ(released.wait_for(kSafetyNet), std::future_status::ready);
}

TEST(DispatchGroupTest, WaitBlocksUntilEveryEnterIsLeft) {
    DispatchGroup group;
    group.wait();  // empty: returns at once
    std::atomic<int> finished{0};
    std::vector<std::jthread> workers;
    for (int i = 0; i < 8; ++i) {
        group.enter();
        workers.emplace_back([&] {
            ++finished;
            group.leave();
        });
    }
    group.wait();
    EXPECT_EQ(finished.load(), 8);
}

TEST(DispatchGroupTest, UnbalancedLeaveIsRefused) {
    DispatchGroup group;
    EXPECT_THROW(group.leave(), std::logic_error);
    group.enter();
    group.leave();
    EXPECT_THROW(group.leave(), std::logic_error);
    group.wait();
}

}  // namespace
}  // namespace corvend::platform
