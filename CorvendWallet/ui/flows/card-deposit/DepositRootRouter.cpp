#include "CorvendWallet/ui/flows/card-deposit/DepositRootRouter.hpp"

#include <utility>

#include "CorvendWallet/ui/flows/card-deposit/ThreeDSWebViewController.hpp"
#include "CorvendWallet/ui/foundation/NavigationControllable.hpp"

namespace corvend {

DepositRootRouter::DepositRootRouter(
    std::weak_ptr<platform::ui::NavigationController> navigationController,
    std::shared_ptr<AddCardBuildable> addCardBuilder,
    std::shared_ptr<ConfirmCardBuildable> confirmCardBuilder,
    std::shared_ptr<DepositSummaryBuildable> depositSummaryBuilder)
    : navigationController_(std::move(navigationController)),
      addCardBuilder_(std::move(addCardBuilder)),
      confirmCardBuilder_(std::move(confirmCardBuilder)),
      depositSummaryBuilder_(std::move(depositSummaryBuilder)) {}

void DepositRootRouter::push(platform::ui::ViewControllerPtr viewController, bool animated) {
    if (auto navigation = navigationController_.lock())
        NavigationControllable::of(std::move(navigation))
            ->pushViewController(std::move(viewController), animated);
}

std::function<void(CardDepositState)> DepositRootRouter::cardStateHandler() const {
    return [output = output_](CardDepositState state) {
        if (const auto presenter = output.lock())
            presenter->handleCardDepositState(std::move(state));
    };
}

void DepositRootRouter::routeToAddCard(const std::vector<CardType>& supportedCards,
                                       const model::CustomerDeposit& deposit) {
    push(addCardBuilder_->build(supportedCards, deposit, cardStateHandler()), false);
}

void DepositRootRouter::routeToConfirmCard(const model::CardPaymentInstrument& instrument,
                                           const model::CustomerDeposit& deposit,
                                           const std::vector<CardType>& supportedCards) {
    push(confirmCardBuilder_->build(instrument, deposit, supportedCards, cardStateHandler()),
         false);
}

void DepositRootRouter::routeToDepositSummary(const model::CustomerDeposit& deposit,
                                              const CardDetails& cardDetails) {
    push(depositSummaryBuilder_->build(deposit, cardDetails,
                                       [output = output_](CardDepositSummaryState state) {
                                           if (const auto presenter = output.lock())
                                               presenter->handleSummaryState(std::move(state));
                                       }),
         false);
}

bool DepositRootRouter::showThreeDSWebView(const std::string& urlString,
                                           const std::string& defaultUrl) {
    auto screen = ThreeDSWebViewController::make(urlString, defaultUrl);
    if (!screen) return false;
    screen->setCompletion([output = output_](ThreeDSResult result) {
        const auto presenter = output.lock();
        if (!presenter) return;
        if (result == ThreeDSResult::success) {
            presenter->threeDSDidComplete();
        } else {
            presenter->handleCardDepositState(CardDepositState::cancel());
        }
    });
    push(std::move(screen), true);
    return true;
}

void DepositRootRouter::dismissFlow() {
    if (auto navigation = navigationController_.lock())
        NavigationControllable::of(std::move(navigation))->dismiss(true, nullptr);
}

}  // namespace corvend
