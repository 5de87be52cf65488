#pragma once

#include <memory>

#include "CorvendWallet/ui/flows/card-deposit/AddCardBuildable.hpp"
#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardBuildable.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositRootRouterInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositRootRouterOutput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryBuildable.hpp"
#include "platform/ui/NavigationController.hpp"

namespace corvend {

// Opens the flow's screens on its navigation controller and passes their outcomes to the
// presenter (held weakly, as is the navigation controller, which owns the presenter through
// the root screen). Main thread.
class DepositRootRouter : public DepositRootRouterInput {
  public:
    DepositRootRouter(std::weak_ptr<platform::ui::NavigationController> navigationController,
                      std::shared_ptr<AddCardBuildable> addCardBuilder,
                      std::shared_ptr<ConfirmCardBuildable> confirmCardBuilder,
                      std::shared_ptr<DepositSummaryBuildable> depositSummaryBuilder);

    void setOutput(std::weak_ptr<DepositRootRouterOutput> output) { output_ = std::move(output); }

    void routeToAddCard(const std::vector<CardType>& supportedCards,
                        const model::CustomerDeposit& deposit) override;
    void routeToConfirmCard(const model::CardPaymentInstrument& instrument,
                            const model::CustomerDeposit& deposit,
                            const std::vector<CardType>& supportedCards) override;
    void routeToDepositSummary(const model::CustomerDeposit& deposit,
                               const CardDetails& cardDetails) override;
    bool showThreeDSWebView(const std::string& urlString, const std::string& defaultUrl) override;
    void dismissFlow() override;

  private:
    void push(platform::ui::ViewControllerPtr viewController, bool animated);
    std::function<void(CardDepositState)> cardStateHandler() const;

    const std::weak_ptr<platform::ui::NavigationController> navigationController_;
    const std::shared_ptr<AddCardBuildable> addCardBuilder_;
    const std::shared_ptr<ConfirmCardBuildable> confirmCardBuilder_;
    const std::shared_ptr<DepositSummaryBuildable> depositSummaryBuilder_;
    std::weak_ptr<DepositRootRouterOutput> output_;
};

}  // namespace corvend
