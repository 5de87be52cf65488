#include "CorvendWallet/foundation/TaskOperationHandle.hpp"

#include <utility>

namespace corvend {

TaskOperationHandle::TaskOperationHandle(platform::AnyTask task) : task_(std::move(task)) {}

std::shared_ptr<TaskOperationHandle> TaskOperationHandle::make(platform::AnyTask task) {
    return std::make_shared<TaskOperationHandle>(std::move(task));
}

void TaskOperationHandle::cancel() noexcept {
    task_.cancel();
}

}  // namespace corvend
