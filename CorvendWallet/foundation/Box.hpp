#pragma once

#include <functional>
#include <memory>
#include <mutex>

#include "CorvendWallet/foundation/WalletOperationHandle.hpp"

namespace corvend {

// Links the cancellation of a waiting task to the callback operation it awaits (see
// withWalletOperation). Thread-safe: set() comes from the waiting task, cancel() from its
// cancellation handler, in either order.
//
// The box's state changes under a plain mutex, but the handle's cancel() and the cancel
// callback run after it is released, so either may call back into this box without deadlock.
class Box {
  public:
    Box() = default;
    Box(const Box&) = delete;
    Box& operator=(const Box&) = delete;

    // Stores the handle of the running operation. Unless the handle propagates cancellation
    // (WalletOperationPropagatesCancellation), also stores `didCancel`, replacing any earlier
    // one; a propagating handle reports its own end, so the callback is not kept. A null
    // handle counts as one that does not propagate.
    //
    // When cancel() has already been called, honours it at once: cancels the handle and runs
    // the stored callback, so that a cancel arriving before the handle is not lost.
    void set(std::shared_ptr<WalletOperationHandle> operation, std::function<void()> didCancel);

    // Cancels the stored handle, if any, then runs the stored callback, if any, and forgets it:
    // the callback runs at most once. The handle stays stored, so a second cancel() cancels it
    // again. Before any set() it changes nothing visible but is remembered for set().
    void cancel();

    // True once cancel() has been called.
    bool isCancelled() const;

  private:
    mutable std::mutex mutex_;
    std::shared_ptr<WalletOperationHandle> operation_;
    std::function<void()> didCancel_;
    bool cancelled_ = false;
};

}  // namespace corvend
