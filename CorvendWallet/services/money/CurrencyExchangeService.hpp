#pragma once

#include <functional>
#include <memory>
#include <string>

#include "CorvendWallet/foundation/CompletionBridge.hpp"
#include "CorvendWallet/services/money/FXRate.hpp"
#include "CorvendWallet/services/money/FXRateRequest.hpp"

namespace corvend {

// Exchange-rate quotes of the wallet service: ask for a new one, or read one back. The shape of
// the operations and their contract: see runServiceOperation.
class CurrencyExchangeService : public std::enable_shared_from_this<CurrencyExchangeService> {
  public:
    using Completion = std::function<void(Result<model::FXRate>)>;

    virtual ~CurrencyExchangeService() = default;

    // The quote with identifier `id`.
    model::FXRate getQuote(const std::string& id) {
        return callServiceOperation(*this, &CurrencyExchangeService::doGetQuote, id);
    }
    std::shared_ptr<WalletOperationHandle> getQuote(std::string id, Completion completion) {
        return runServiceOperation(shared_from_this(), &CurrencyExchangeService::doGetQuote,
                                   std::move(completion), std::move(id));
    }

    // A new quote for `request`.
    model::FXRate createQuote(const model::FXRateRequest& request) {
        return callServiceOperation(*this, &CurrencyExchangeService::doCreateQuote, request);
    }
    std::shared_ptr<WalletOperationHandle> createQuote(model::FXRateRequest request,
                                                       Completion completion) {
        return runServiceOperation(shared_from_this(), &CurrencyExchangeService::doCreateQuote,
                                   std::move(completion), std::move(request));
    }

  protected:
    CurrencyExchangeService() = default;
    CurrencyExchangeService(const CurrencyExchangeService&) = default;
    CurrencyExchangeService& operator=(const CurrencyExchangeService&) = default;

  private:
    virtual model::FXRate doGetQuote(const std::string& id) = 0;
    virtual model::FXRate doCreateQuote(const model::FXRateRequest& request) = 0;
};

}  // namespace corvend
