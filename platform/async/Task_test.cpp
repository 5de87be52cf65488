#include "platform/async/Task.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <latch>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/async/CancellationError.hpp"

namespace corvend::platform {
namespace {

struct BoomError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Blocks the calling task until it is cancelled, telling `registered` once it listens.
bool blockUntilCancelled(std::promise<void>& registered) {
    std::promise<void> cancelled;
    auto registration = onCancel([&] { cancelled.set_value(); });
    registered.set_value();
    cancelled.get_future().wait();
    return isCancelled();
}

TEST(TaskTest, ValueReturnsTheResultOfEveryKindOrRethrows) {
    EXPECT_EQ(Task<int>::detached([] { return 42; }).value(), 42);
    std::atomic<bool> ran{false};
    Task<void>::detached([&] { ran = true; }).value();
    EXPECT_TRUE(ran.load());
    auto moveOnly = Task<std::unique_ptr<int>>::detached([] { return std::make_unique<int>(7); });
    EXPECT_EQ(*moveOnly.value(), 7);

    auto failing = Task<int>::detached([]() -> int { throw BoomError("boom"); });
    EXPECT_THROW(failing.value(), BoomError);
    EXPECT_THROW(failing.value(), BoomError);  // every waiter sees it
    EXPECT_THROW(Task<void>::detached([] { throw BoomError("void"); }).value(), BoomError);
}

TEST(TaskTest, EmptyHandleIsHarmless) {
    Task<int> empty;
    empty.cancel();
    EXPECT_FALSE(empty.isCancelled());
    EXPECT_FALSE(empty.isFinished());
    EXPECT_THROW(empty.value(), std::logic_error);
}

TEST(TaskTest, ChildOfACancelledTaskStartsCancelledButStillRuns) {
    CancellationSource parent;
    parent.cancel();
    Task<bool> child;
    {
        CancellationScope scope(parent.token());
        child = Task<bool>::child([] { return isCancelled(); });
        EXPECT_TRUE(child.isCancelled());
    }
    EXPECT_TRUE(child.value());
}

TEST(TaskTest, FinishedResultWinsOverLaterCancelsAndCancelledWaiters) {
    auto task = Task<int>::detached([] { return 5; });
    EXPECT_EQ(task.value(), 5);
    task.cancel();
    EXPECT_FALSE(task.isCancelled());
    EXPECT_EQ(task.value(), 5);
    CancellationSource waiter;
    waiter.cancel();
    CancellationScope scope(waiter.token());
    EXPECT_EQ(task.value(), 5);
}

TEST(TaskTest, DetachedTaskIgnoresTheCallersCancellation) {
    CancellationSource caller;
    std::promise<void> started;
    std::latch gate(1);
    Task<bool> task;
    {
        CancellationScope scope(caller.token());
        task = Task<bool>::detached([&] {
            started.set_value();
            gate.wait();
            return isCancelled();
        });
        started.get_future().wait();
        caller.cancel();
        EXPECT_FALSE(task.isCancelled());
    }
    gate.count_down();
    EXPECT_FALSE(task.value());
}

TEST(TaskTest, FinishedChildrenReleaseTheirLinkToTheParent) {
    CancellationSource parent;
    CancellationScope scope(parent.token());
    std::vector<Task<int>> children;
    for (int i = 0; i < 50; ++i) children.push_back(Task<int>::child([i] { return i; }));
    int sum = 0;
    for (auto& child : children) sum += child.value();
    EXPECT_EQ(sum, 50 * 49 / 2);
    // The handles are still alive, but finished tasks no longer listen to the parent.
    EXPECT_EQ(parent.token().registeredHandlerCount(), 0u);
}

// The awaited task would never end on its own; it sees the cancel through its current token.
TEST(TaskTest, CancellingTheWaiterEndsTheWaitAndCancelsTheAwaitedTask) {
    std::promise<Task<bool>> innerHandle;
    std::promise<void> innerRunning;
    auto outer = Task<void>::detached([&] {
        auto inner = Task<bool>::detached([&] { return blockUntilCancelled(innerRunning); });
        innerHandle.set_value(inner);
        inner.value();
    });
    innerRunning.get_future().wait();
    outer.cancel();
    outer.cancel();
    EXPECT_THROW(outer.value(), CancellationError);
    auto inner = innerHandle.get_future().get();
    EXPECT_TRUE(inner.isCancelled());
    EXPECT_TRUE(inner.value());
}

}  // namespace
}  // namespace corvend::platform
