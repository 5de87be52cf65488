#pragma once

#include <memory>

#include "CorvendWallet/foundation/WalletOperationHandle.hpp"
#include "CorvendWallet/foundation/WalletOperationPropagatesCancellation.hpp"
#include "platform/async/Task.hpp"

namespace corvend {

// The handle of a task started by a completion-form call. cancel() marks the task cancelled: its
// operation ends by itself with CancellationError, and the call reports nothing (its completion
// is not called; see runWalletOperation). Like every task handle it carries the marker of work
// that ends by itself when cancelled; a withWalletOperation wait on it would therefore wait for
// a completion that never comes, so the kit never awaits a completion-form call that way.
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
