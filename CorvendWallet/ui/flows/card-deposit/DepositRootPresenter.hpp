#pragma once

#include <functional>
#include <memory>

#include "CorvendWallet/ui/flows/card-deposit/DepositRootInteractorInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositRootInteractorOutput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositRootRouterInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositRootRouterOutput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositRootViewInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositRootViewOutput.hpp"

namespace corvend {

// The flow's conductor: opens the card screen the deposit needs, then the summary, then the
// 3-D Secure page where the confirmed deposit asks for it, and ends the flow with exactly one
// result, whatever the screens report after it. Main thread.
class DepositRootPresenter : public DepositRootViewOutput,
                             public DepositRootInteractorOutput,
                             public DepositRootRouterOutput {
  public:
    DepositRootPresenter(std::shared_ptr<DepositRootInteractorInput> interactor,
                         std::shared_ptr<DepositRootRouterInput> router,
                         std::weak_ptr<DepositRootViewInput> view,
                         std::function<void(CardDepositResult)> completionHandler);

    void viewDidLoad() override;

    void showConfirmCard(std::shared_ptr<const model::PaymentInstrument> instrument,
                         const model::CustomerDeposit& deposit,
                         const std::vector<CardType>& supportedCards) override;
    void showAddCard(const model::CustomerDeposit& deposit,
                     const std::vector<CardType>& supportedCards) override;
    void loadDidFail(CardDepositResult result) override;

    void handleCardDepositState(CardDepositState state) override;
    void handleSummaryState(CardDepositSummaryState state) override;
    void threeDSDidComplete() override;

  private:
    void stopLoading();
    void finishDeposit(const model::CustomerDeposit& deposit);
    void cancelFlow();
    void complete(CardDepositResult result);

    const std::shared_ptr<DepositRootInteractorInput> interactor_;
    const std::shared_ptr<DepositRootRouterInput> router_;
    const std::weak_ptr<DepositRootViewInput> view_;
    const std::function<void(CardDepositResult)> completionHandler_;
    bool finished_ = false;
};

}  // namespace corvend
