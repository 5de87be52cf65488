#include "CorvendWallet/core/foundation/TaskOperationHandle.hpp"

#include <gtest/gtest.h>

#include <future>

#include "platform/async/CancellationToken.hpp"

namespace corvend {
namespace {

TEST(TaskOperationHandleTest, CancelMarksTheRunningTaskCancelled) {
    std::promise<void> release;
    auto task = platform::Task<bool>::detached([finished = release.get_future().share()] {
        finished.wait();
        return platform::isCancelled();
    });
    std::shared_ptr<WalletOperationHandle> handle = TaskOperationHandle::make(task);
    EXPECT_TRUE(propagatesCancellation(handle));

    handle.reset();  // dropping the handle does not cancel
    EXPECT_FALSE(task.isCancelled());

    auto again = TaskOperationHandle::make(task);
    again->cancel();
    release.set_value();
    EXPECT_TRUE(task.value());
}

}  // namespace
}  // namespace corvend
