#pragma once

#include <functional>
#include <memory>
#include <string>

#include "CorvendWallet/core/foundation/Result.hpp"
#include "CorvendWallet/core/foundation/WalletOperationHandle.hpp"
#include "CorvendWallet/services/money/FXRate.hpp"
#include "CorvendWallet/services/money/FXRateRequest.hpp"

namespace corvend {

// Exchange-rate quotes of the wallet service: ask for a new one, or read one back.
//
// An implementation must be owned by a std::shared_ptr: the completion forms keep the service
// alive until their work has ended. A type that overrides the blocking operations hides the
// completion forms of the same name; it brings them back with
// `using CurrencyExchangeService::getQuote;` (and the same for createQuote).
class CurrencyExchangeService : public std::enable_shared_from_this<CurrencyExchangeService> {
  public:
    using Completion = std::function<void(Result<model::FXRate>)>;

    virtual ~CurrencyExchangeService() = default;

    // The quote with identifier `id`. Throws model::WalletError, or platform::CancellationError
    // when the current task is cancelled. Blocks: never call it on the thread that drives the
    // main queue.
    virtual model::FXRate getQuote(const std::string& id) = 0;

    // A new quote for `request`. Throws and blocks as getQuote does.
    virtual model::FXRate createQuote(const model::FXRateRequest& request) = 0;

    // The completion forms: capture this service and a copy of the argument, run the blocking
    // operation in a new task and return that task as the handle, without waiting. The
    // completion (never empty) runs later on the main queue, once, with the quote or the
    // operation's unchanged error; not at all when the operation ends cancelled. Throws
    // std::bad_weak_ptr when this service is not owned by a std::shared_ptr.
    std::shared_ptr<WalletOperationHandle> getQuote(std::string id, Completion completion);
    std::shared_ptr<WalletOperationHandle> createQuote(model::FXRateRequest request,
                                                       Completion completion);

  protected:
    CurrencyExchangeService() = default;
    CurrencyExchangeService(const CurrencyExchangeService&) = default;
    CurrencyExchangeService& operator=(const CurrencyExchangeService&) = default;
};

}  // namespace corvend
