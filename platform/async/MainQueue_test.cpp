#include "platform/async/MainQueue.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace corvend::platform {
namespace {

using namespace std::chrono_literals;

constexpr auto kSafetyNet = std::chrono::milliseconds(10s);  // only a broken queue waits this long

TEST(MainQueueTest, AsyncNeverRunsInlineEvenOnTheMainThread) {
    MainQueue queue;
    std::vector<int> order;
    queue.async([&] {
        queue.async([&] { order.push_back(2); });
        order.push_back(1);
    });
    EXPECT_EQ(queue.drain(), 1u);  // only what was queued when drain() started
    EXPECT_EQ(order, (std::vector<int>{1}));
    EXPECT_EQ(queue.drain(), 1u);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(queue.drain(), 0u);
}

TEST(MainQueueTest, RunUntilEndsOnPostedJobsAndOnChangesMadeWithoutAPost) {
    MainQueue queue;
    int finished = 0;  // touched on the driving thread only
    std::vector<std::jthread> workers;
    for (int i = 0; i < 4; ++i) workers.emplace_back([&] { queue.async([&] { ++finished; }); });
    EXPECT_TRUE(queue.runUntil([&] { return finished == 4; }, kSafetyNet));

    std::atomic<bool> flag{false};
    std::jthread setter([&] { flag = true; });
    EXPECT_TRUE(queue.runUntil([&] { return flag.load(); }, kSafetyNet));
}

TEST(MainQueueTest, RunUntilChecksBeforeEachJobAndGivesUpAfterTheTimeout) {
    MainQueue queue;
    int ran = 0;
    queue.async([&] { ++ran; });
    queue.async([&] { ++ran; });
    EXPECT_TRUE(queue.runUntil([&] { return ran == 1; }, kSafetyNet));
    EXPECT_EQ(ran, 1);

    int checks = 0;
    EXPECT_FALSE(queue.runUntil([&] { return ++checks == 0; }, 1ms));
    EXPECT_EQ(ran, 2);
    EXPECT_GE(checks, 2);
}

TEST(MainQueueTest, StopEndsTheCurrentOrTheNextRunAndLeavesLaterJobsQueued) {
    MainQueue queue;
    std::vector<int> order;
    std::jthread poster([&] {
        queue.async([&] { order.push_back(1); });
        queue.async([&] { queue.stop(); });
        queue.async([&] { order.push_back(3); });
    });
    queue.run();
    poster.join();
    EXPECT_EQ(order, (std::vector<int>{1}));

    queue.stop();  // while nothing drives: the next run returns at once
    queue.run();
    EXPECT_EQ(order, (std::vector<int>{1}));
    // The stop was used up: this run goes on until the posted stop.
    queue.async([&] { queue.stop(); });
    queue.run();
    EXPECT_EQ(order, (std::vector<int>{1, 3}));
}

TEST(MainQueueTest, SyncRunsOnTheDriverInlineOrPostedAndRethrows) {
    MainQueue queue;
    std::vector<int> order;
    queue.async([&] {
        queue.sync([&] { order.push_back(1); });  // on the driving thread: inline
        order.push_back(2);
    });
    queue.drain();  // this thread is now the queue's driver
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_THROW(queue.sync([] { throw std::runtime_error("inline"); }), std::runtime_error);

    std::thread::id ranOn;
    std::atomic<bool> done{false};
    std::jthread caller([&] {
        queue.sync([&] { ranOn = std::this_thread::get_id(); });
        EXPECT_THROW(queue.sync([] { throw std::runtime_error("posted"); }), std::runtime_error);
        done = true;
    });
    EXPECT_TRUE(queue.runUntil([&] { return done.load(); }, kSafetyNet));
    caller.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

// A host that blocks on its first thread before it ever drives the queue gets an error at once
// instead of waiting forever; another thread may still wait for the driving to start.
TEST(MainQueueTest, SyncBeforeTheQueueWasEverDrivenFailsOnlyOnTheFirstThread) {
    MainQueue queue;
    bool ran = false;
    EXPECT_THROW(queue.sync([&] { ran = true; }), std::logic_error);
    EXPECT_FALSE(ran);
    EXPECT_EQ(queue.drain(), 0u);  // nothing was left queued either

    MainQueue fresh;
    std::atomic<bool> done{false};
    std::jthread caller([&] {
        fresh.sync([&] { ran = true; });
        done = true;
    });
    EXPECT_TRUE(fresh.runUntil([&] { return done.load(); }, kSafetyNet));
    caller.join();
    EXPECT_TRUE(ran);
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
    bool otherWasMain = false;
    bool jobSawMain = false;
    std::thread driver([&] {
        shared.async([&] { jobSawMain = MainQueue::isMainThread(); });
        shared.drain();
        otherWasMain = MainQueue::isMainThread();
    });
    driver.join();
    EXPECT_TRUE(jobSawMain);
    EXPECT_TRUE(otherWasMain);
    EXPECT_FALSE(MainQueue::isMainThread());

    shared.drain();
    EXPECT_TRUE(MainQueue::isMainThread());
}

}  // namespace
}  // namespace corvend::platform
