#include "CorvendWallet/services/money/CurrencyExchangeService.hpp"

#include <utility>

#include "CorvendWallet/core/foundation/CompletionBridge.hpp"

namespace corvend {

std::shared_ptr<WalletOperationHandle> CurrencyExchangeService::getQuote(std::string id,
                                                                         Completion completion) {
    return runWalletOperation<model::FXRate>(
        [self = shared_from_this(), id = std::move(id)] { return self->getQuote(id); },
        std::move(completion));
}

std::shared_ptr<WalletOperationHandle> CurrencyExchangeService::createQuote(
    model::FXRateRequest request, Completion completion) {
    return runWalletOperation<model::FXRate>(
        [self = shared_from_this(), request = std::move(request)] {
            return self->createQuote(request);
        },
        std::move(completion));
}

}  // namespace corvend
