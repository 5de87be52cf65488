#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

#include "CorvendWallet/foundation/Box.hpp"
#include "CorvendWallet/foundation/Result.hpp"
#include "CorvendWallet/foundation/WalletOperationHandle.hpp"
#include "platform/async/CancellationError.hpp"
#include "platform/async/CancellationToken.hpp"
#include "platform/async/OneShot.hpp"

namespace corvend {

// A callback operation: starts its work, returns a handle to cancel it, and later calls the
// completion once with the value or the error. The completion may be called from any thread,
// even before the operation returns.
template <class T>
using WalletCallbackOperation =
    std::function<std::shared_ptr<WalletOperationHandle>(std::function<void(Result<T>)>)>;

// Awaits a callback operation: blocks until its completion and returns the value or rethrows
// the error unchanged. Cancellable through the current task: when the task is already
// cancelled the operation is not started; when it is cancelled during the wait, the operation's
// handle is cancelled, and unless that handle propagates cancellation the wait ends at once.
// Either way a cancelled wait throws platform::CancellationError. The wait ends exactly once: a
// completion that arrives after it ended is ignored. What `start` throws is passed on.
//
// Blocks the calling thread (a pool thread, inside a task); never call it on the thread that
// drives the MainQueue.
template <class T>
T withWalletOperation(const WalletCallbackOperation<T>& start) {
    const auto box = std::make_shared<Box>();
    const auto outcome = std::make_shared<platform::OneShot<T>>();

    // Runs at once when the task is already cancelled; the box remembers it for set().
    const auto registration = platform::onCancel([box] { box->cancel(); });
    if (platform::isCancelled()) throw platform::CancellationError();

    auto operation = start([outcome](Result<T> result) {
        if (!result) {
            outcome->reject(result.error().exception());
        } else if constexpr (std::is_void_v<T>) {
            outcome->resolve();
        } else {
            outcome->resolve(std::move(*result));
        }
    });
    box->set(std::move(operation), [outcome] {
        outcome->reject(std::make_exception_ptr(platform::CancellationError()));
    });
    return outcome->wait();
}

}  // namespace corvend
