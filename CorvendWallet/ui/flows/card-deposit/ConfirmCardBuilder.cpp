#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardBuilder.hpp"

#include <memory>
#include <utility>

#include "CorvendCoreComponents/BottomSheetLabeling.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositInteractor.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositRouter.hpp"
#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardPresenter.hpp"
#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardViewController.hpp"
#include "CorvendWallet/ui/foundation/AnyObjectLifecycleTracker.hpp"
#include "CorvendWallet/ui/foundation/CvvValidator.hpp"

namespace corvend {

platform::ui::ViewControllerPtr ConfirmCardBuilder::build(
    model::CardPaymentInstrument cardPaymentInstrument, model::CustomerDeposit deposit,
    std::vector<CardType> supportedCards, std::function<void(CardDepositState)> completion) {
    auto viewController = std::make_shared<ConfirmCardViewController>();
    auto router = std::make_shared<CardDepositRouter>(
        viewController, components::BottomSheetLabeling(components::BottomSheeting::live()));
    auto interactor =
        std::make_shared<CardDepositInteractor>(dependency()->depositService(), std::move(deposit));
    auto presenter = std::make_shared<ConfirmCardPresenter>(
        viewController, std::move(router), interactor, std::move(cardPaymentInstrument),
        std::move(supportedCards), std::move(completion), [](CardType type) {
            return ConfirmCardPresenter::CvvValidatorType::of(std::make_shared<CvvValidator>(type));
        });
    AnyObjectLifecycleTracker::attach(*viewController, [interactor] { interactor->cancel(); });
    viewController->setOutput(presenter);
    interactor->setOutput(presenter);
    return viewController;
}

}  // namespace corvend
