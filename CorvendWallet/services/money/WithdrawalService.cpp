#include "CorvendWallet/services/money/WithdrawalService.hpp"

#include <utility>

#include "CorvendWallet/core/CompletionBridge.hpp"

namespace corvend {

std::shared_ptr<WalletOperationHandle> WithdrawalService::getOptions(OptionsCompletion completion) {
    return runWalletOperation<std::vector<model::PaymentOptionDetails>>(
        [self = shared_from_this()] { return self->getOptions(); }, std::move(completion));
}

std::shared_ptr<WalletOperationHandle> WithdrawalService::create(
    model::WithdrawalCreate withdrawalCreate, WithdrawalCompletion completion) {
    return runWalletOperation<model::Withdrawal>(
        [self = shared_from_this(), withdrawalCreate = std::move(withdrawalCreate)] {
            return self->create(withdrawalCreate);
        },
        std::move(completion));
}

std::shared_ptr<WalletOperationHandle> WithdrawalService::preview(
    model::WithdrawalRequest withdrawalRequest, WithdrawalCompletion completion) {
    return runWalletOperation<model::Withdrawal>(
        [self = shared_from_this(), withdrawalRequest = std::move(withdrawalRequest)] {
            return self->preview(withdrawalRequest);
        },
        std::move(completion));
}

std::shared_ptr<WalletOperationHandle> WithdrawalService::confirm(
    model::WithdrawalConfirm withdrawalConfirm, WithdrawalCompletion completion) {
    return runWalletOperation<model::Withdrawal>(
        [self = shared_from_this(), withdrawalConfirm = std::move(withdrawalConfirm)] {
            return self->confirm(withdrawalConfirm);
        },
        std::move(completion));
}

std::shared_ptr<WalletOperationHandle> WithdrawalService::getAll(
    std::optional<model::GetWithdrawalsParameters> getWithdrawalsParameters,
    ListCompletion completion) {
    return runWalletOperation<model::WithdrawalList>(
        [self = shared_from_this(), parameters = std::move(getWithdrawalsParameters)] {
            return self->getAll(parameters);
        },
        std::move(completion));
}

std::shared_ptr<WalletOperationHandle> WithdrawalService::get(std::string id,
                                                              WithdrawalCompletion completion) {
    return runWalletOperation<model::Withdrawal>(
        [self = shared_from_this(), id = std::move(id)] { return self->get(id); },
        std::move(completion));
}

}  // namespace corvend
