#pragma once

#include <functional>
#include <memory>
#include <string>

#include "CorvendWallet/foundation/CompletionBridge.hpp"
#include "CorvendWallet/services/money/CustomerDeposit.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositRequest.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositResult.hpp"
#include "platform/ui/ViewController.hpp"

namespace corvend {

// The host's door to the card-deposit flow: preview a card deposit, then start the flow for
// it over one of the host's screens.
//
//   auto deposit = wallet.cardDepositService()->preview(CardDepositRequest{2'500, "EUR"});
//   wallet.cardDepositService()->start(deposit.id(), hostScreen, [](CardDepositResult r) {...});
class CardDepositService : public std::enable_shared_from_this<CardDepositService> {
  public:
    using PreviewCompletion = std::function<void(Result<model::CustomerDeposit>)>;
    using ResultCompletion = std::function<void(CardDepositResult)>;

    virtual ~CardDepositService() = default;

    // Creates the deposit with the card option and the kit's web return address; throws the
    // deposit service's error unchanged. Blocking (see runServiceOperation).
    model::CustomerDeposit preview(const CardDepositRequest& request) {
        return callServiceOperation(*this, &CardDepositService::doPreview, request);
    }
    std::shared_ptr<WalletOperationHandle> preview(CardDepositRequest request,
                                                   PreviewCompletion completion) {
        return runServiceOperation(shared_from_this(), &CardDepositService::doPreview,
                                   std::move(completion), std::move(request));
    }

    // Presents the flow for the deposit `depositID` over `viewController`, or over the topmost
    // screen it already presents; when the flow ends it is dismissed and `completion` gets its
    // one result. Main thread.
    void start(const std::string& depositID, const platform::ui::ViewControllerPtr& viewController,
               ResultCompletion completion) {
        callServiceOperation(*this, &CardDepositService::doStart, depositID, viewController,
                             std::move(completion));
    }

  protected:
    CardDepositService() = default;
    CardDepositService(const CardDepositService&) = default;
    CardDepositService& operator=(const CardDepositService&) = default;

  private:
    virtual model::CustomerDeposit doPreview(const CardDepositRequest& request) = 0;
    virtual void doStart(const std::string& depositID,
                         const platform::ui::ViewControllerPtr& viewController,
                         ResultCompletion completion) = 0;
};

}  // namespace corvend
