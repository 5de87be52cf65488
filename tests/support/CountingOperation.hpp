#pragma once

#include <atomic>
#include <functional>

#include "CorvendWallet/foundation/WalletOperationHandle.hpp"
#include "CorvendWallet/foundation/WalletOperationPropagatesCancellation.hpp"

namespace corvend::testing {

// A handle for tests: counts its cancels and runs an optional action from inside cancel().
class CountingOperation : public WalletOperationHandle {
  public:
    explicit CountingOperation(std::function<void()> onCancel = {})
        : onCancel_(std::move(onCancel)) {}
    void cancel() noexcept override {
        ++cancels;
        if (onCancel_) onCancel_();
    }
    std::atomic<int> cancels{0};

  private:
    std::function<void()> onCancel_;
};

// The same, for a handle that reports its own end when cancelled.
class PropagatingOperation : public CountingOperation,
                             public WalletOperationPropagatesCancellation {
  public:
    using CountingOperation::CountingOperation;
};

}  // namespace corvend::testing
