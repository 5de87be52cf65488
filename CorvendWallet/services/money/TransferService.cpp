#include "CorvendWallet/services/money/TransferService.hpp"

#include <utility>

#include "CorvendWallet/core/CompletionBridge.hpp"

namespace corvend {

namespace {

// Runs `operation(service, argument)` in a new task and reports on the main queue.
template <class T, class Argument, class Operation, class Completion>
std::shared_ptr<WalletOperationHandle> run(std::shared_ptr<TransferService> service,
                                           Argument argument, Operation operation,
                                           Completion completion) {
    return runWalletOperation<T>([service = std::move(service), argument = std::move(argument),
                                  operation] { return operation(*service, argument); },
                                 std::move(completion));
}

}  // namespace

std::shared_ptr<WalletOperationHandle> TransferService::preview(
    model::CustomerTransferRequest request, TransferCompletion completion) {
    return run<model::CustomerTransfer>(
        shared_from_this(), std::move(request),
        [](TransferService& service, const auto& argument) { return service.preview(argument); },
        std::move(completion));
}

std::shared_ptr<WalletOperationHandle> TransferService::create(model::TransferCreate transferCreate,
                                                               TransferCompletion completion) {
    return run<model::CustomerTransfer>(
        shared_from_this(), std::move(transferCreate),
        [](TransferService& service, const auto& argument) { return service.create(argument); },
        std::move(completion));
}

std::shared_ptr<WalletOperationHandle> TransferService::confirm(
    model::TransferConfirm transferConfirm, TransferCompletion completion) {
    return run<model::CustomerTransfer>(
        shared_from_this(), std::move(transferConfirm),
        [](TransferService& service, const auto& argument) { return service.confirm(argument); },
        std::move(completion));
}

std::shared_ptr<WalletOperationHandle> TransferService::getAll(
    std::optional<model::GetTransferParameters> parameters, ListCompletion completion) {
    return run<model::CustomerTransferList>(
        shared_from_this(), std::move(parameters),
        [](TransferService& service, const auto& argument) { return service.getAll(argument); },
        std::move(completion));
}

std::shared_ptr<WalletOperationHandle> TransferService::get(std::string id,
                                                            TransferCompletion completion) {
    return run<model::CustomerTransfer>(
        shared_from_this(), std::move(id),
        [](TransferService& service, const auto& argument) { return service.get(argument); },
        std::move(completion));
}

}  // namespace corvend
