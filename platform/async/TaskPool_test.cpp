#include "platform/async/TaskPool.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <latch>
#include <memory>
#include <thread>

namespace corvend::platform {
namespace {

using namespace std::chrono_literals;

// Long enough that no worker retires during a test unless the test wants it to.
constexpr auto kNoRetirement = std::chrono::minutes(10);

TEST(TaskPoolTest, RunsEverySubmittedJob) {
    constexpr int kJobs = 200;
    std::atomic<int> ran{0};
    std::latch done(kJobs);
    TaskPool pool(kNoRetirement);  // declared last: it joins its threads first
    for (int i = 0; i < kJobs; ++i) {
        pool.submit([&] {
            ++ran;
            done.count_down();
        });
    }
    done.wait();
    EXPECT_EQ(ran.load(), kJobs);
}

// Jobs that all block on the last one submitted: a pool that did not grow would hang here.
TEST(TaskPoolTest, GrowsWhenEveryThreadIsBlocked) {
    constexpr int kBlocked = 16;
    std::latch gate(1);
    std::latch done(kBlocked + 1);
    TaskPool pool(kNoRetirement);
    for (int i = 0; i < kBlocked; ++i) {
        pool.submit([&] {
            gate.wait();
            done.count_down();
        });
    }
    pool.submit([&] {
        gate.count_down();
        done.count_down();
    });
    done.wait();
    EXPECT_GE(pool.threadCount(), static_cast<std::size_t>(kBlocked + 1));
}

TEST(TaskPoolTest, JobsMaySubmitAndWaitForMoreJobs) {
    std::promise<int> result;  // outlives the pool, which joins the thread setting it
    TaskPool pool(kNoRetirement);
    pool.submit([&] {
        std::promise<int> inner;
        pool.submit([&] { inner.set_value(41); });
        result.set_value(inner.get_future().get() + 1);
    });
    EXPECT_EQ(result.get_future().get(), 42);
}

TEST(TaskPoolTest, IdleThreadIsReusedInsteadOfGrowing) {
    TaskPool pool(kNoRetirement);
    for (int i = 0; i < 20; ++i) {
        std::promise<void> ran;
        pool.submit([&] { ran.set_value(); });
        ran.get_future().wait();
        // Wait for the worker to be back in its idle wait before the next submit.
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (pool.idleThreadCount() != pool.threadCount() &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::yield();
        }
    }
    EXPECT_EQ(pool.threadCount(), 1u);
}

TEST(TaskPoolTest, IdleThreadsRetireAfterTheIdleLimit) {
    constexpr int kThreads = 4;
    std::promise<void> ran;
    std::latch allRunning(kThreads);
    std::latch done(kThreads);
    TaskPool pool(20ms);
    for (int i = 0; i < kThreads; ++i) {
        pool.submit([&] {
            allRunning.arrive_and_wait();
            done.count_down();
        });
    }
    done.wait();
    EXPECT_GE(pool.threadCount(), static_cast<std::size_t>(kThreads));
    ASSERT_TRUE(pool.waitForThreadCount(0, 10s));

    // A pool whose threads all retired still takes work.
    pool.submit([&] { ran.set_value(); });
    ran.get_future().wait();
}

TEST(TaskPoolTest, DestructorRunsQueuedJobsAndJoins) {
    std::atomic<int> ran{0};
    auto tracker = std::make_shared<int>(0);
    std::weak_ptr<int> watched = tracker;
    {
        std::latch gate(1);
        TaskPool pool(kNoRetirement);
        pool.submit([&] { gate.wait(); });
        for (int i = 0; i < 10; ++i) {
            pool.submit([&ran, tracker] { ++ran; });
        }
        tracker.reset();
        gate.count_down();
    }
    EXPECT_EQ(ran.load(), 10);
    EXPECT_TRUE(watched.expired());
}

}  // namespace
}  // namespace corvend::platform
