#include "platform/async/SerialQueue.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <latch>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace corvend::platform {
namespace {

TEST(SerialQueueTest, KeepsEachSubmittersOrderAndRunsOneBlockAtATime) {
    auto queue = SerialQueue::make("order");
    constexpr int kSubmitters = 6;
    constexpr int kBlocks = 300;
    std::vector<std::pair<int, int>> seen;  // touched only by the queue's blocks
    std::atomic<int> inside{0};
    std::atomic<int> maxInside{0};
    std::latch start(kSubmitters);
    std::vector<std::thread> submitters;
    for (int s = 0; s < kSubmitters; ++s) {
        submitters.emplace_back([&, s] {
            start.arrive_and_wait();
            for (int i = 0; i < kBlocks; ++i) {
                queue->async([&, s, i] {
                    const int now = ++inside;
                    int expected = maxInside.load();
                    while (now > expected && !maxInside.compare_exchange_weak(expected, now)) {
                    }
                    seen.emplace_back(s, i);
                    --inside;
                });
            }
        });
    }
    for (auto& submitter : submitters) submitter.join();
    const auto result = queue->sync([&] { return seen; });

    ASSERT_EQ(result.size(), static_cast<std::size_t>(kSubmitters * kBlocks));
    EXPECT_EQ(maxInside.load(), 1);
    std::vector<int> next(kSubmitters, 0);
    for (const auto& [submitter, index] : result) {
        EXPECT_EQ(index, next[submitter]) << "submitter " << submitter;
        next[submitter] = index + 1;
    }
}

TEST(SerialQueueTest, SyncReadSeesEveryEarlierQueuedWrite) {
    auto queue = SerialQueue::make("state");
    int state = -1;
    for (int i = 0; i < 500; ++i) {
        queue->async([&state, i] { state = i; });
        ASSERT_EQ(queue->sync([&] { return state; }), i);
    }
}

TEST(SerialQueueTest, SyncReturnsEveryKindOfResultAndRethrows) {
    auto queue = SerialQueue::make("results");
    EXPECT_EQ(queue->sync([] { return std::string("value"); }), "value");

    int touched = 0;
    queue->sync([&] { touched = 1; });
    EXPECT_EQ(touched, 1);

    auto owned = queue->sync([] { return std::make_unique<int>(9); });
    ASSERT_NE(owned, nullptr);
    EXPECT_EQ(*owned, 9);

    int stored = 3;
    int& ref = queue->sync([&]() -> int& { return stored; });
    EXPECT_EQ(&ref, &stored);

    EXPECT_THROW(queue->sync([]() -> int { throw std::runtime_error("read"); }),
                 std::runtime_error);
    EXPECT_THROW(queue->sync([] { throw std::runtime_error("write"); }), std::runtime_error);
    // A block that threw does not stop the queue.
    EXPECT_EQ(queue->sync([] { return 1; }), 1);
}

TEST(SerialQueueTest, SyncFromItsOwnBlockFailsInsteadOfDeadlocking) {
    auto queue = SerialQueue::make("reentrant");
    bool refused = false;
    queue->async([&] {
        try {
            queue->sync([] {});
        } catch (const std::logic_error&) {
            refused = true;
        }
    });
    EXPECT_TRUE(queue->sync([&] { return refused; }));
}

TEST(SerialQueueTest, IsCurrentOnlyInsideItsOwnBlocks) {
    auto queue = SerialQueue::make("mine");
    auto other = SerialQueue::make("other");
    EXPECT_FALSE(queue->isCurrent());
    EXPECT_TRUE(queue->sync([&] { return queue->isCurrent(); }));
    EXPECT_FALSE(queue->sync([&] { return other->isCurrent(); }));
    // Nested: a block of `queue` waits on `other`, whose block runs elsewhere.
    EXPECT_FALSE(queue->sync([&] { return other->sync([&] { return queue->isCurrent(); }); }));
}

TEST(SerialQueueTest, GroupIsEnteredAtSubmissionAndNotifiedAfterTheBlocks) {
    auto queue = SerialQueue::make("grouped");
    auto group = std::make_shared<DispatchGroup>();
    std::latch gate(1);
    std::atomic<int> ran{0};
    queue->async([&] { gate.wait(); });
    for (int i = 0; i < 5; ++i) {
        queue->async(group, DispatchQoS::utility, DispatchWorkItemFlags::none, [&] { ++ran; });
    }
    auto notified = std::make_shared<std::promise<int>>();
    // Registered while the blocks are still held back: it must wait for all five.
    group->notify([&ran, notified] { notified->set_value(ran.load()); });
    gate.count_down();
    group->wait();
    EXPECT_EQ(ran.load(), 5);
    EXPECT_EQ(notified->get_future().get(), 5);
}

TEST(SerialQueueTest, QueuedBlocksKeepTheQueueAlive) {
    std::weak_ptr<SerialQueue> watched;
    std::latch gate(1);
    auto done = std::make_shared<std::latch>(3);  // the last block may still hold it
    {
        auto queue = SerialQueue::make("orphan");
        watched = queue;
        queue->async([&] { gate.wait(); });
        for (int i = 0; i < 3; ++i) {
            queue->async([&watched, done, i] {
                // Still the same live queue although nobody else holds it.
                EXPECT_TRUE(watched.lock() != nullptr) << i;
                done->count_down();
            });
        }
    }
    gate.count_down();
    done->wait();
}

TEST(SerialQueueInlineTest, IdleSyncRunsOnTheCallerAndBlocksQueuedMeanwhileRunAfterIt) {
    auto queue = SerialQueue::make("inline");
    std::vector<int> order;
    const auto caller = std::this_thread::get_id();
    OneShot<void> laterRan;
    const bool ranHere = queue->sync([&] {
        EXPECT_TRUE(queue->isCurrent());
        // Queued while the sync holds the queue: must wait for it.
        queue->async([&] {
            order.push_back(2);
            laterRan.resolve();
        });
        order.push_back(1);
        return std::this_thread::get_id() == caller;
    });
    EXPECT_TRUE(ranHere);
    EXPECT_FALSE(queue->isCurrent());
    laterRan.wait();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(queue->sync([&] { return order.size(); }), 2u);
}

}  // namespace
}  // namespace corvend::platform
