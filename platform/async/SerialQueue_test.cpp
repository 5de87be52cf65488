#include "platform/async/SerialQueue.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <latch>
#include <memory>
#include <stdexcept>
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
    std::atomic<bool> overlapped{false};
    std::latch start(kSubmitters);
    std::vector<std::jthread> submitters;
    for (int s = 0; s < kSubmitters; ++s) {
        submitters.emplace_back([&, s] {
            start.arrive_and_wait();
            for (int i = 0; i < kBlocks; ++i) {
                queue->async([&, s, i] {
                    if (++inside > 1) overlapped = true;
                    seen.emplace_back(s, i);
                    --inside;
                });
            }
        });
    }
    submitters.clear();
    const auto result = queue->sync([&] { return seen; });

    ASSERT_EQ(result.size(), static_cast<std::size_t>(kSubmitters * kBlocks));
    EXPECT_FALSE(overlapped.load());
    std::vector<int> next(kSubmitters, 0);
    for (const auto& [submitter, index] : result) {
        EXPECT_EQ(index, next[submitter]++) << "submitter " << submitter;
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
    int touched = 0;
    queue->sync([&] { touched = 1; });
    EXPECT_EQ(touched, 1);
    EXPECT_EQ(*queue->sync([] { return std::make_unique<int>(9); }), 9);
    int& ref = queue->sync([&]() -> int& { return touched; });
    EXPECT_EQ(&ref, &touched);

    EXPECT_THROW(queue->sync([]() -> int { throw std::runtime_error("read"); }),
                 std::runtime_error);
    EXPECT_THROW(queue->sync([] { throw std::runtime_error("write"); }), std::runtime_error);
    EXPECT_EQ(queue->sync([] { return 1; }), 1);  // a block that threw does not stop the queue
}

TEST(SerialQueueTest, SyncFromItsOwnBlockFailsInsteadOfDeadlocking) {
    auto queue = SerialQueue::make("reentrant");
    queue->async([&] { EXPECT_THROW(queue->sync([] {}), std::logic_error); });
    queue->sync([] {});
}

TEST(SerialQueueTest, IsCurrentOnlyInsideItsOwnBlocks) {
    auto queue = SerialQueue::make("mine");
    auto other = SerialQueue::make("other");
    EXPECT_FALSE(queue->sync([&] { return other->isCurrent(); }));
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
            queue->async([&watched, done] {
                EXPECT_NE(watched.lock(), nullptr);  // although nobody else holds it
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
        queue->async([&] {  // queued while the sync holds the queue: must wait for it
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
}

}  // namespace
}  // namespace corvend::platform
