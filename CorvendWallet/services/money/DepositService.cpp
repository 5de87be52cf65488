#include "CorvendWallet/services/money/DepositService.hpp"

#include <utility>

#include "CorvendWallet/core/CompletionBridge.hpp"

namespace corvend {

std::shared_ptr<WalletOperationHandle> DepositService::getOptions(OptionsCompletion completion) {
    return runWalletOperation<std::vector<model::PaymentOptionDetails>>(
        [self = shared_from_this()] { return self->getOptions(); }, std::move(completion));
}

std::shared_ptr<WalletOperationHandle> DepositService::getAll(
    std::optional<model::GetDepositsParameters> parameters, ListCompletion completion) {
    return runWalletOperation<model::CustomerDepositList>(
        [self = shared_from_this(), parameters = std::move(parameters)] {
            return self->getAll(parameters);
        },
        std::move(completion));
}

std::shared_ptr<WalletOperationHandle> DepositService::get(std::string id, Completion completion) {
    return runWalletOperation<model::CustomerDeposit>(
        [self = shared_from_this(), id = std::move(id)] { return self->get(id); },
        std::move(completion));
}

std::shared_ptr<WalletOperationHandle> DepositService::preview(model::DepositRequest request,
                                                               Completion completion) {
    return runWalletOperation<model::CustomerDeposit>(
        [self = shared_from_this(), request = std::move(request)] {
            return self->preview(request);
        },
        std::move(completion));
}

std::shared_ptr<WalletOperationHandle> DepositService::create(model::DepositCreate create,
                                                              Completion completion) {
    return runWalletOperation<model::CustomerDeposit>(
        [self = shared_from_this(), create = std::move(create)] { return self->create(create); },
        std::move(completion));
}

std::shared_ptr<WalletOperationHandle> DepositService::confirm(model::DepositConfirm confirm,
                                                               Completion completion) {
    return runWalletOperation<model::CustomerDeposit>(
        [self = shared_from_this(), confirm = std::move(confirm)] {
            return self->confirm(confirm);
        },
        std::move(completion));
}

}  // namespace corvend
