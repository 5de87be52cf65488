#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

#include "CorvendWallet/core/foundation/Result.hpp"
#include "CorvendWallet/core/foundation/TaskOperationHandle.hpp"
#include "CorvendWallet/core/foundation/WalletOperationHandle.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/async/OneShot.hpp"
#include "platform/async/Task.hpp"

namespace corvend {

// The completion form of a blocking operation: runs `operation` in a new detached task and
// returns that task as the handle. When the operation has ended, `completion` is called on the
// main queue exactly once with its value or its unchanged error, and never before this call has
// returned; when the operation ends with platform::CancellationError, it is not called at all.
// The operation and the completion keep alive whatever they captured.
template <class T>
std::shared_ptr<WalletOperationHandle> runWalletOperation(
    std::function<T()> operation, std::function<void(Result<T>)> completion) {
    // Delivery waits for this call to return, so a completion never overtakes its handle.
    auto returned = std::make_shared<platform::OneShot<void>>();
    auto task = platform::Task<void>::detached(
        [operation = std::move(operation), completion = std::move(completion), returned] {
            auto result = captureResult(operation);
            if (!result && result.error().isCancellation()) return;
            returned->wait();
            platform::MainQueue::shared().async([completion, result = std::move(result)]() mutable {
                completion(std::move(result));
            });
        });
    auto handle = TaskOperationHandle::make(task);
    returned->resolve();
    return handle;
}

}  // namespace corvend
