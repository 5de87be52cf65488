#include "CorvendWallet/foundation/TaskOperationHandle.hpp"

#include <utility>

#include "platform/async/ProcessFork.hpp"

namespace corvend {

TaskOperationHandle::TaskOperationHandle(platform::AnyTask task) : task_(std::move(task)) {}

std::shared_ptr<TaskOperationHandle> TaskOperationHandle::make(platform::AnyTask task) {
    return std::make_shared<TaskOperationHandle>(std::move(task));
}

void TaskOperationHandle::cancel() noexcept {
    // The work is the parent's, and so may be the locks a cancel takes.
    if (platform::ProcessFork::forkedAfterKitBegan()) return;
    task_.cancel();
}

}  // namespace corvend
