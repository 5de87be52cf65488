#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

#include "CorvendWallet/foundation/Result.hpp"
#include "CorvendWallet/foundation/TaskOperationHandle.hpp"
#include "CorvendWallet/foundation/WalletOperationHandle.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/async/OneShot.hpp"
#include "platform/async/ProcessFork.hpp"
#include "platform/async/Task.hpp"

namespace corvend {

// The completion form of a blocking operation: runs `operation` in a new detached task and
// returns that task as the handle. When the operation has ended, `completion` is called on the
// main queue exactly once with its value or its unchanged error, and never before this call has
// returned; when the operation ends with platform::CancellationError, it is not called at all.
// The operation and the completion keep alive whatever they captured; called or not, the
// completion is let go of on the main queue. In a child of fork made after the kit began to be
// made it throws std::logic_error at once (see ProcessFork.hpp).
template <class T>
std::shared_ptr<WalletOperationHandle> runWalletOperation(
    std::function<T()> operation, std::function<void(Result<T>)> completion) {
    platform::ProcessFork::checkKitUsable("a completion-form operation");
    // Delivery waits for this call to return, so a completion never overtakes its handle.
    auto returned = std::make_shared<platform::OneShot<void>>();
    auto task = platform::Task<void>::detached(
        [operation = std::move(operation), completion = std::move(completion), returned]() mutable {
            auto result = captureResult(operation);
            returned->wait();
            // Moved, not copied, even when it is not to be called: what the host captured in it
            // (a screen) is let go of on the main thread, never here.
            const bool cancelled = !result && result.error().isCancellation();
            platform::MainQueue::shared().async([completion = std::move(completion),
                                                 result = std::move(result), cancelled]() mutable {
                if (!cancelled) completion(std::move(result));
            });
        });
    auto handle = TaskOperationHandle::make(task);
    returned->resolve();
    return handle;
}

// The shape of every service interface (DepositService, CardService, ...):
//
//   class ThingService : public std::enable_shared_from_this<ThingService> {
//     public:
//       model::Thing get(const std::string& id) {
//           return callServiceOperation(*this, &ThingService::doGet, id);
//       }
//       std::shared_ptr<WalletOperationHandle> get(std::string id, Completion completion) {
//           return runServiceOperation(shared_from_this(), &ThingService::doGet,
//                                      std::move(completion), std::move(id));
//       }
//     private:
//       virtual model::Thing doGet(const std::string& id) = 0;
//   };
//
// Each operation `x` has a public blocking form and a public completion form, neither virtual;
// both run the one private virtual `doX`, the only thing an implementation overrides, so no
// form is ever hidden, and both refuse at once in a child of fork made after the kit began to be
// made, whatever the implementation would lock. A service is owned by a std::shared_ptr: a
// completion form throws std::bad_weak_ptr otherwise.
//
// Every blocking form returns the value or throws: model::WalletError, the errors its service
// names, platform::URLError for a transport failure (its code() and description() say what
// failed; see URLError.hpp), or platform::CancellationError when the current task is
// cancelled. It blocks: never call one on the thread that drives the main queue. Every
// completion form returns at once and reports as runWalletOperation does.

// The blocking form of a service operation: `(service.*operation)(arguments...)`, on the calling
// thread.
template <class Service, class T, class... Parameters, class... Arguments>
T callServiceOperation(Service& service, T (Service::*operation)(Parameters...),
                       Arguments&&... arguments) {
    platform::ProcessFork::checkKitUsable("a blocking service operation");
    return (service.*operation)(std::forward<Arguments>(arguments)...);
}

// The completion form of a service operation: runs `((*service).*operation)(arguments...)` in a
// new task (see runWalletOperation). The task owns the service and copies of the arguments.
template <class Service, class T, class... Parameters, class... Arguments>
std::shared_ptr<WalletOperationHandle> runServiceOperation(
    std::shared_ptr<Service> service, T (Service::*operation)(Parameters...),
    std::type_identity_t<std::function<void(Result<T>)>> completion, Arguments... arguments) {
    return runWalletOperation<T>(
        [service = std::move(service), operation, ... arguments = std::move(arguments)] {
            return ((*service).*operation)(arguments...);
        },
        std::move(completion));
}

}  // namespace corvend
