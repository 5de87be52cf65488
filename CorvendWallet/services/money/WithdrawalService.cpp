#include "CorvendWallet/services/money/WithdrawalService.hpp"

#include <utility>

#include "CorvendWallet/services/money/PaymentFlowOperation.hpp"

namespace corvend {

std::shared_ptr<WalletOperationHandle> WithdrawalService::getOptions(OptionsCompletion completion) {
    return runPaymentFlowOperation(shared_from_this(), &WithdrawalService::getOptions,
                                   std::move(completion));
}

std::shared_ptr<WalletOperationHandle> WithdrawalService::create(
    model::WithdrawalCreate withdrawalCreate, WithdrawalCompletion completion) {
    return runPaymentFlowOperation(shared_from_this(), &WithdrawalService::create,
                                   std::move(withdrawalCreate), std::move(completion));
}

std::shared_ptr<WalletOperationHandle> WithdrawalService::preview(
    model::WithdrawalRequest withdrawalRequest, WithdrawalCompletion completion) {
    return runPaymentFlowOperation(shared_from_this(), &WithdrawalService::preview,
                                   std::move(withdrawalRequest), std::move(completion));
}

std::shared_ptr<WalletOperationHandle> WithdrawalService::confirm(
    model::WithdrawalConfirm withdrawalConfirm, WithdrawalCompletion completion) {
    return runPaymentFlowOperation(shared_from_this(), &WithdrawalService::confirm,
                                   std::move(withdrawalConfirm), std::move(completion));
}

std::shared_ptr<WalletOperationHandle> WithdrawalService::getAll(
    std::optional<model::GetWithdrawalsParameters> getWithdrawalsParameters,
    ListCompletion completion) {
    return runPaymentFlowOperation(shared_from_this(), &WithdrawalService::getAll,
                                   std::move(getWithdrawalsParameters), std::move(completion));
}

std::shared_ptr<WalletOperationHandle> WithdrawalService::get(std::string id,
                                                              WithdrawalCompletion completion) {
    return runPaymentFlowOperation(shared_from_this(), &WithdrawalService::get, std::move(id),
                                   std::move(completion));
}

}  // namespace corvend
