#include "CorvendWallet/services/money/DepositService.hpp"

#include <utility>

#include "CorvendWallet/services/money/PaymentFlowOperation.hpp"

namespace corvend {

std::shared_ptr<WalletOperationHandle> DepositService::getOptions(OptionsCompletion completion) {
    return runPaymentFlowOperation(shared_from_this(), &DepositService::getOptions,
                                   std::move(completion));
}

std::shared_ptr<WalletOperationHandle> DepositService::getAll(
    std::optional<model::GetDepositsParameters> parameters, ListCompletion completion) {
    return runPaymentFlowOperation(shared_from_this(), &DepositService::getAll,
                                   std::move(parameters), std::move(completion));
}

std::shared_ptr<WalletOperationHandle> DepositService::get(std::string id, Completion completion) {
    return runPaymentFlowOperation(shared_from_this(), &DepositService::get, std::move(id),
                                   std::move(completion));
}

std::shared_ptr<WalletOperationHandle> DepositService::preview(model::DepositRequest request,
                                                               Completion completion) {
    return runPaymentFlowOperation(shared_from_this(), &DepositService::preview, std::move(request),
                                   std::move(completion));
}

std::shared_ptr<WalletOperationHandle> DepositService::create(model::DepositCreate create,
                                                              Completion completion) {
    return runPaymentFlowOperation(shared_from_this(), &DepositService::create, std::move(create),
                                   std::move(completion));
}

std::shared_ptr<WalletOperationHandle> DepositService::confirm(model::DepositConfirm confirm,
                                                               Completion completion) {
    return runPaymentFlowOperation(shared_from_this(), &DepositService::confirm, std::move(confirm),
                                   std::move(completion));
}

}  // namespace corvend
