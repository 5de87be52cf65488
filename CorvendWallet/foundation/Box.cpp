#include "CorvendWallet/foundation/Box.hpp"

#include <utility>

#include "CorvendWallet/foundation/WalletOperationPropagatesCancellation.hpp"

namespace corvend {

void Box::set(std::shared_ptr<WalletOperationHandle> operation, std::function<void()> didCancel) {
    std::shared_ptr<WalletOperationHandle> toCancel;
    std::function<void()> toRun;
    {
        std::lock_guard lock(mutex_);
        const bool propagates = propagatesCancellation(operation);
        operation_ = std::move(operation);
        if (!propagates) didCancel_ = std::move(didCancel);
        if (cancelled_) {
            toCancel = operation_;
            toRun = std::exchange(didCancel_, nullptr);
        }
    }
    if (toCancel) toCancel->cancel();
    if (toRun) toRun();
}

void Box::cancel() {
    std::shared_ptr<WalletOperationHandle> toCancel;
    std::function<void()> toRun;
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
        toCancel = operation_;
        toRun = std::exchange(didCancel_, nullptr);
    }
    if (toCancel) toCancel->cancel();
    if (toRun) toRun();
}

bool Box::isCancelled() const {
    std::lock_guard lock(mutex_);
    return cancelled_;
}

}  // namespace corvend
