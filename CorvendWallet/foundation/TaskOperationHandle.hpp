#pragma once

#include <memory>

#include "CorvendWallet/foundation/WalletOperationHandle.hpp"
#include "CorvendWallet/foundation/WalletOperationPropagatesCancellation.hpp"
#include "platform/async/Task.hpp"

namespace corvend {

// The handle of a task started by a completion-form call. cancel() marks the task cancelled;
// the task then ends by itself and reports through its own completion, hence the marker.
class TaskOperationHandle final : public WalletOperationHandle,
                                  public WalletOperationPropagatesCancellation {
  public:
    explicit TaskOperationHandle(platform::AnyTask task);

    static std::shared_ptr<TaskOperationHandle> make(platform::AnyTask task);

    // Cancelling a task that has ended does nothing.
    void cancel() noexcept override;

    const platform::AnyTask& task() const noexcept { return task_; }

  private:
    platform::AnyTask task_;
};

}  // namespace corvend
