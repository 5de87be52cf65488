#include "platform/async/MainQueue.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <thread>
#include <vector>

namespace corvend::platform {
namespace {

using namespace std::chrono_literals;

// Generous: only a broken queue ever waits this long.
constexpr auto kSafetyNet = std::chrono::milliseconds(10s);

TEST(MainQueueTest, AsyncNeverRunsInlineEvenOnTheMainThread) {
    MainQueue queue;
    std::vector<int> order;
    queue.async([&] {
        queue.async([&] { order.push_back(2); });
        order.push_back(1);
    });
    // Only what was queued when drain() started runs.
    EXPECT_EQ(queue.drain(), 1u);
    EXPECT_EQ(order, (std::vector<int>{1}));
    EXPECT_EQ(queue.drain(), 1u);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(queue.drain(), 0u);
}

TEST(MainQueueTest, RunUntilWakesOnPostedJobsAndReturnsThePredicate) {
    MainQueue queue;
    int finished = 0;  // touched on the driving thread only
    std::vector<std::thread> workers;
    for (int i = 0; i < 4; ++i) {
        workers.emplace_back([&] { queue.async([&] { ++finished; }); });
    }
    EXPECT_TRUE(queue.runUntil([&] { return finished == 4; }, kSafetyNet));
    for (auto& worker : workers) worker.join();
}

TEST(MainQueueTest, RunUntilSeesAPredicateChangedWithoutAPost) {
    MainQueue queue;
    std::atomic<bool> flag{false};
    std::thread setter([&] { flag = true; });
    EXPECT_TRUE(queue.runUntil([&] { return flag.load(); }, kSafetyNet));
    setter.join();
}

TEST(MainQueueTest, RunUntilGivesUpAfterTheTimeout) {
    MainQueue queue;
    int checks = 0;
    EXPECT_FALSE(queue.runUntil(
        [&] {
            ++checks;
            return false;
        },
        1ms));
    EXPECT_GE(checks, 2);
}

TEST(MainQueueTest, RunUntilChecksThePredicateBeforeEachJob) {
    MainQueue queue;
    int ran = 0;
    queue.async([&] { ++ran; });
    queue.async([&] { ++ran; });
    EXPECT_TRUE(queue.runUntil([&] { return ran == 1; }, kSafetyNet));
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(queue.drain(), 1u);
}

TEST(MainQueueTest, RunReturnsOnStopAndLeavesLaterJobsQueued) {
    MainQueue queue;
    std::vector<int> order;
    std::thread poster([&] {
        queue.async([&] { order.push_back(1); });
        queue.async([&] { queue.stop(); });
        queue.async([&] { order.push_back(3); });
    });
    queue.run();
    poster.join();
    EXPECT_EQ(order, (std::vector<int>{1}));
    EXPECT_EQ(queue.drain(), 1u);
    EXPECT_EQ(order, (std::vector<int>{1, 3}));
}

TEST(MainQueueTest, StopBeforeRunEndsTheNextRunAtOnce) {
    MainQueue queue;
    bool ran = false;
    queue.stop();
    queue.async([&] { ran = true; });
    queue.run();
    EXPECT_FALSE(ran);
    // The stop was used up: this run goes on until the posted stop.
    queue.async([&] { queue.stop(); });
    queue.run();
    EXPECT_TRUE(ran);
}

TEST(MainQueueTest, SyncOnTheDrivingThreadRunsInlineAndRethrows) {
    MainQueue queue;
    std::vector<int> order;
    queue.async([&] {
        queue.sync([&] { order.push_back(1); });
        order.push_back(2);
    });
    queue.drain();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_THROW(queue.sync([] { throw std::runtime_error("inline"); }), std::runtime_error);
}

TEST(MainQueueTest, SyncFromAnotherThreadRunsOnTheDriverAndRethrows) {
    MainQueue queue;
    queue.drain();  // this thread is now the queue's driver
    std::thread::id ranOn;
    std::promise<bool> threw;
    std::thread caller([&] {
        queue.sync([&] { ranOn = std::this_thread::get_id(); });
        try {
            queue.sync([] { throw std::runtime_error("posted"); });
            threw.set_value(false);
        } catch (const std::runtime_error&) {
            threw.set_value(true);
        }
        queue.async([] {});  // wakes the driver to see the outcome
    });
    auto outcome = threw.get_future();
    EXPECT_TRUE(queue.runUntil([&] { return outcome.wait_for(0s) == std::future_status::ready; },
                               kSafetyNet));
    caller.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_TRUE(outcome.get());
}

TEST(MainQueueTest, JobExceptionLeavesTheRestQueued) {
    MainQueue queue;
    int ran = 0;
    queue.async([] { throw std::runtime_error("job"); });
    queue.async([&] { ++ran; });
    EXPECT_THROW(queue.drain(), std::runtime_error);
    EXPECT_EQ(ran, 0);
    EXPECT_EQ(queue.drain(), 1u);
    EXPECT_EQ(ran, 1);
}

TEST(MainQueueTest, MainThreadIsWhoeverDroveTheSharedQueueLast) {
    auto& shared = MainQueue::shared();
    bool ranEarly = false;
    shared.async([&] { ranEarly = true; });
    EXPECT_FALSE(ranEarly);

    bool otherWasMain = false;
    bool jobSawMain = false;
    std::thread driver([&] {
        shared.async([&] { jobSawMain = MainQueue::isMainThread(); });
        shared.drain();
        otherWasMain = MainQueue::isMainThread();
    });
    driver.join();
    EXPECT_TRUE(ranEarly);
    EXPECT_TRUE(jobSawMain);
    EXPECT_TRUE(otherWasMain);
    EXPECT_FALSE(MainQueue::isMainThread());

    shared.drain();
    EXPECT_TRUE(MainQueue::isMainThread());
}

}  // namespace
}  // namespace corvend::platform
