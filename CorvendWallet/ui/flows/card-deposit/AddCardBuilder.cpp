#include "CorvendWallet/ui/flows/card-deposit/AddCardBuilder.hpp"

#include <memory>
#include <utility>

#include "CorvendCoreComponents/BottomSheetLabeling.hpp"
#include "CorvendWallet/ui/flows/card-deposit/AddCardPresenter.hpp"
#include "CorvendWallet/ui/flows/card-deposit/AddCardViewController.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositInteractor.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositRouter.hpp"
#include "CorvendWallet/ui/foundation/AnyObjectLifecycleTracker.hpp"

namespace corvend {

platform::ui::ViewControllerPtr AddCardBuilder::build(
    std::vector<CardType> supportedCards, model::CustomerDeposit deposit,
    std::function<void(CardDepositState)> completion) {
    auto viewController = std::make_shared<AddCardViewController>();
    auto interactor =
        std::make_shared<CardDepositInteractor>(dependency()->depositService(), std::move(deposit));
    auto router = std::make_shared<CardDepositRouter>(
        viewController, components::BottomSheetLabeling(components::BottomSheeting::live()));
    auto validators = AddCardPresenter::defaultValidators(supportedCards);
    auto presenter = std::make_shared<AddCardPresenter>(
        viewController, interactor, std::move(router), std::move(supportedCards),
        std::move(completion), std::move(validators));
    AnyObjectLifecycleTracker::attach(*viewController, [interactor] { interactor->cancel(); });
    viewController->setOutput(presenter);
    interactor->setOutput(presenter);
    return viewController;
}

}  // namespace corvend
