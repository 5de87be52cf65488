#include "CorvendWallet/core/foundation/Box.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <future>
#include <latch>
#include <memory>
#include <thread>

#include "CorvendWallet/core/foundation/TaskOperationHandle.hpp"
#include "CorvendWallet/core/foundation/WalletOperationPropagatesCancellation.hpp"
#include "tests/support/CountingOperation.hpp"
#include "platform/async/Task.hpp"

namespace corvend {
namespace {

using testing::CountingOperation;
using testing::PropagatingOperation;

struct Counter {
    std::atomic<int> runs{0};
    std::function<void()> callback() {
        return [this] { ++runs; };
    }
};

TEST(BoxTest, TaskHandleIsCancelledWithoutTheCallback) {
    std::promise<void> release;
    auto task = platform::Task<void>::detached(
        [finished = release.get_future().share()] { finished.wait(); });
    auto handle = TaskOperationHandle::make(task);
    EXPECT_TRUE(propagatesCancellation(handle));

    Box box;
    Counter didCancel;
    box.set(handle, didCancel.callback());
    box.cancel();
    EXPECT_TRUE(task.isCancelled());
    EXPECT_EQ(didCancel.runs, 0);

    release.set_value();
    task.value();
}

TEST(BoxTest, OtherHandleIsCancelledEachTimeButTheCallbackRunsOnce) {
    Box box;
    auto handle = std::make_shared<CountingOperation>();
    Counter didCancel;
    box.set(handle, didCancel.callback());
    EXPECT_EQ(handle->cancels, 0);

    box.cancel();
    EXPECT_EQ(handle->cancels, 1);
    EXPECT_EQ(didCancel.runs, 1);

    box.cancel();
    EXPECT_EQ(handle->cancels, 2);
    EXPECT_EQ(didCancel.runs, 1);
}

TEST(BoxTest, CancelBeforeAnyHandleIsHonouredBySet) {
    Box box;
    box.cancel();  // nothing stored: nothing to call yet
    EXPECT_TRUE(box.isCancelled());

    auto handle = std::make_shared<CountingOperation>();
    Counter didCancel;
    box.set(handle, didCancel.callback());
    EXPECT_EQ(handle->cancels, 1);
    EXPECT_EQ(didCancel.runs, 1);

    Box propagating;
    propagating.cancel();
    auto task = std::make_shared<PropagatingOperation>();
    Counter unused;
    propagating.set(task, unused.callback());
    EXPECT_EQ(task->cancels, 1);
    EXPECT_EQ(unused.runs, 0);
}

TEST(BoxTest, SetReplacesTheCallbackUnlessTheHandlePropagates) {
    Counter first;
    Counter second;
    Counter third;
    auto plainA = std::make_shared<CountingOperation>();
    auto plainB = std::make_shared<CountingOperation>();
    auto propagating = std::make_shared<PropagatingOperation>();

    Box box;
    box.set(plainA, first.callback());
    box.set(plainB, second.callback());
    box.set(propagating, third.callback());  // keeps the second callback
    box.cancel();
    EXPECT_EQ(plainA->cancels, 0);
    EXPECT_EQ(plainB->cancels, 0);
    EXPECT_EQ(propagating->cancels, 1);
    EXPECT_EQ(first.runs, 0);
    EXPECT_EQ(second.runs, 1);
    EXPECT_EQ(third.runs, 0);
}

TEST(BoxTest, HandleAndCallbackMayCallBackIntoTheBox) {
    Box box;
    auto handle = std::make_shared<CountingOperation>([&] { EXPECT_TRUE(box.isCancelled()); });
    int runs = 0;
    box.set(handle, [&] {
        ++runs;
        box.cancel();  // nested: cancels the handle again, the callback is already taken
    });
    box.cancel();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(handle->cancels, 2);
}

TEST(BoxTest, RacingSetAndCancelRunTheCallbackExactlyOnce) {
    constexpr int kRounds = 500;
    for (int round = 0; round < kRounds; ++round) {
        Box box;
        auto handle = std::make_shared<CountingOperation>();
        Counter didCancel;
        std::latch start(2);
        std::jthread canceller([&] {
            start.arrive_and_wait();
            box.cancel();
        });
        start.arrive_and_wait();
        box.set(handle, didCancel.callback());
        canceller.join();

        ASSERT_EQ(didCancel.runs, 1) << "round " << round;
        ASSERT_EQ(handle->cancels, 1) << "round " << round;
    }
}

}  // namespace
}  // namespace corvend
