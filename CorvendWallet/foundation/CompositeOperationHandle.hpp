#pragma once

#include <memory>
#include <vector>

#include "CorvendWallet/foundation/LockIsolated.hpp"
#include "CorvendWallet/foundation/WalletOperationHandle.hpp"

namespace corvend {

// A handle over several operations; cancel() cancels each of them.
class CompositeOperationHandle final : public WalletOperationHandle {
  public:
    CompositeOperationHandle() = default;

    static std::shared_ptr<CompositeOperationHandle> make();

    // Appends `operation` (a null one is ignored). Thread-safe.
    void add(std::shared_ptr<WalletOperationHandle> operation);

    // Cancels every operation added so far, in the order added. The handles are called outside
    // the lock, so one may add to or cancel this composite from its own cancel(). The list is
    // kept: a later cancel() cancels them all again, and an operation added after a cancel() is
    // cancelled only by a later one.
    void cancel() noexcept override;

    // The number of operations added so far.
    std::size_t size() const;

  private:
    mutable LockIsolated<std::vector<std::shared_ptr<WalletOperationHandle>>> operations_;
};

}  // namespace corvend
