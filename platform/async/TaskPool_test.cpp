#include "platform/async/TaskPool.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <latch>
#include <memory>

namespace corvend::platform {
namespace {

using namespace std::chrono_literals;

// Long enough that no worker retires during a test unless the test wants it to.
constexpr auto kNoRetirement = std::chrono::minutes(10);
constexpr auto kSafetyNet = std::chrono::milliseconds(10s);  // only a broken pool waits this long

// Jobs that all block on the last one submitted: a pool that did not grow would hang here.
TEST(TaskPoolTest, GrowsWhenEveryThreadIsBlocked) {
    constexpr int kBlocked = 16;
    std::latch gate(1);
    std::latch done(kBlocked + 1);
    TaskPool pool(kNoRetirement);
    for (int i = 0; i <= kBlocked; ++i) {
        pool.submit([&, i] {
            if (i == kBlocked) gate.count_down();
            gate.wait();
            done.count_down();
        });
    }
    done.wait();
    EXPECT_GE(pool.threadCount(), static_cast<std::size_t>(kBlocked + 1));
}

TEST(TaskPoolTest, IdleThreadIsReusedInsteadOfGrowing) {
    TaskPool pool(kNoRetirement);
    for (int i = 0; i < 20; ++i) {
        std::promise<void> ran;
        pool.submit([&] { ran.set_value(); });
        ran.get_future().wait();
        // The worker must be back in its idle wait before the next submit.
        ASSERT_TRUE(pool.waitUntilIdle(kSafetyNet));
    }
    EXPECT_EQ(pool.threadCount(), 1u);
}

TEST(TaskPoolTest, IdleThreadsRetireAfterTheIdleLimit) {
    constexpr int kThreads = 4;
    std::latch allRunning(kThreads);  // passes only with four threads at once
    std::latch done(kThreads);
    TaskPool pool(20ms);
    for (int i = 0; i < kThreads; ++i) {
        pool.submit([&] {
            allRunning.arrive_and_wait();
            done.count_down();
        });
    }
    done.wait();
    ASSERT_TRUE(pool.waitForThreadCount(0, kSafetyNet));

    // A pool whose threads all retired still takes work.
    std::promise<void> ran;
    pool.submit([&] { ran.set_value(); });
    EXPECT_EQ(ran.get_future().wait_for(kSafetyNet), std::future_status::ready);
}

TEST(TaskPoolTest, DestructorRunsQueuedJobsAndJoins) {
    std::atomic<int> ran{0};
    auto tracker = std::make_shared<int>(0);
    std::weak_ptr<int> watched = tracker;
    {
        std::latch gate(1);
        TaskPool pool(kNoRetirement);
        pool.submit([&] { gate.wait(); });
        for (int i = 0; i < 10; ++i) pool.submit([&ran, tracker] { ++ran; });
        tracker.reset();
        gate.count_down();
    }
    EXPECT_EQ(ran.load(), 10);
    EXPECT_TRUE(watched.expired());
}

}  // namespace
}  // namespace corvend::platform
