#pragma once

#include <memory>

#include "CorvendWallet/foundation/WalletOperationHandle.hpp"

namespace corvend {

// The handle of an operation that has nothing left to cancel.
class EmptyOperation final : public WalletOperationHandle {
  public:
    static std::shared_ptr<EmptyOperation> make();

    // Does nothing.
    void cancel() noexcept override;
};

}  // namespace corvend
