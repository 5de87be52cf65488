#pragma once

#include <functional>
#include <memory>

#include "CorvendWallet/foundation/WalletOperationHandle.hpp"

namespace corvend {

// The handle of one step of a profiling run (its queued work, or the profiler's run):
// cancel() runs the given action. It does not propagate cancellation: whoever waits on the run
// ends the wait itself when it cancels.
class DeviceProfilingOperation final : public WalletOperationHandle {
  public:
    // `cancelOperation` must not throw; it runs on each cancel().
    static std::shared_ptr<DeviceProfilingOperation> make(std::function<void()> cancelOperation);

    explicit DeviceProfilingOperation(std::function<void()> cancelOperation);

    void cancel() noexcept override;

  private:
    const std::function<void()> cancelOperation_;
};

}  // namespace corvend
