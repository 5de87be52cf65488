#pragma once

#include <memory>

#include "CorvendWallet/foundation/WalletOperationHandle.hpp"

namespace corvend {

// Marks a handle whose work, once cancelled, ends by itself and reports that end through its
// own completion. Whoever awaits such a handle need not end the wait on cancel.
class WalletOperationPropagatesCancellation {
  public:
    virtual ~WalletOperationPropagatesCancellation() = default;

  protected:
    WalletOperationPropagatesCancellation() = default;
    WalletOperationPropagatesCancellation(const WalletOperationPropagatesCancellation&) = default;
    WalletOperationPropagatesCancellation& operator=(const WalletOperationPropagatesCancellation&) =
        default;
};

// True when `handle` carries the marker above; false for null.
inline bool propagatesCancellation(const std::shared_ptr<WalletOperationHandle>& handle) noexcept {
    return std::dynamic_pointer_cast<WalletOperationPropagatesCancellation>(handle) != nullptr;
}

}  // namespace corvend
