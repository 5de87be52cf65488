#include "CorvendWallet/services/money/TransferService.hpp"

#include <utility>

#include "CorvendWallet/services/money/PaymentFlowOperation.hpp"

namespace corvend {

std::shared_ptr<WalletOperationHandle> TransferService::preview(
    model::CustomerTransferRequest request, TransferCompletion completion) {
    return runPaymentFlowOperation(shared_from_this(), &TransferService::preview,
                                   std::move(request), std::move(completion));
}

std::shared_ptr<WalletOperationHandle> TransferService::create(model::TransferCreate transferCreate,
                                                               TransferCompletion completion) {
    return runPaymentFlowOperation(shared_from_this(), &TransferService::create,
                                   std::move(transferCreate), std::move(completion));
}

std::shared_ptr<WalletOperationHandle> TransferService::confirm(
    model::TransferConfirm transferConfirm, TransferCompletion completion) {
    return runPaymentFlowOperation(shared_from_this(), &TransferService::confirm,
                                   std::move(transferConfirm), std::move(completion));
}

std::shared_ptr<WalletOperationHandle> TransferService::getAll(
    std::optional<model::GetTransferParameters> parameters, ListCompletion completion) {
    return runPaymentFlowOperation(shared_from_this(), &TransferService::getAll,
                                   std::move(parameters), std::move(completion));
}

std::shared_ptr<WalletOperationHandle> TransferService::get(std::string id,
                                                            TransferCompletion completion) {
    return runPaymentFlowOperation(shared_from_this(), &TransferService::get, std::move(id),
                                   std::move(completion));
}

}  // namespace corvend
