#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

#include "CorvendWallet/core/foundation/CompletionBridge.hpp"
#include "CorvendWallet/core/foundation/Result.hpp"
#include "CorvendWallet/core/foundation/WalletOperationHandle.hpp"

namespace corvend {

// The completion form of a money service's blocking operation: runs
// `((*service).*operation)(argument)` in a new task (see runWalletOperation) and returns that
// task as the handle. The task owns `service` and `argument`, so both outlive the caller's
// copies; the call is virtual, so an implementation's override runs.
template <class Service, class T, class Argument>
std::shared_ptr<WalletOperationHandle> runPaymentFlowOperation(
    std::shared_ptr<Service> service, T (Service::*operation)(const Argument&), Argument argument,
    std::type_identity_t<std::function<void(Result<T>)>> completion) {
    return runWalletOperation<T>(
        [service = std::move(service), operation, argument = std::move(argument)] {
            return ((*service).*operation)(argument);
        },
        std::move(completion));
}

// The same for an operation without argument.
template <class Service, class T>
std::shared_ptr<WalletOperationHandle> runPaymentFlowOperation(
    std::shared_ptr<Service> service, T (Service::*operation)(),
    std::type_identity_t<std::function<void(Result<T>)>> completion) {
    return runWalletOperation<T>(
        [service = std::move(service), operation] { return ((*service).*operation)(); },
        std::move(completion));
}

}  // namespace corvend
