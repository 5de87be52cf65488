#include "CorvendWallet/ui/flows/card-deposit/DepositRootBuilder.hpp"

#include <memory>

#include "CorvendCoreComponents/Themer.hpp"
#include "CorvendWallet/ui/flows/card-deposit/AddCardBuilder.hpp"
#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardBuilder.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositRootInteractor.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositRootPresenter.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositRootRouter.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositRootViewController.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryBuilder.hpp"
#include "CorvendWallet/ui/foundation/AnyObjectLifecycleTracker.hpp"

namespace corvend {

platform::ui::ViewControllerPtr DepositRootBuilder::build(
    const std::string& depositID, std::function<void(CardDepositResult)> completion) {
    auto viewController = std::make_shared<DepositRootViewController>();
    auto navigationController = components::Themer::newNavigationController(viewController);
    auto interactor = std::make_shared<DepositRootInteractor>(
        dependency()->depositService(), dependency()->paymentInstrumentService(), depositID);
    auto router = std::make_shared<DepositRootRouter>(
        navigationController, std::make_shared<AddCardBuilder>(dependency()),
        std::make_shared<ConfirmCardBuilder>(dependency()),
        std::make_shared<DepositSummaryBuilder>(dependency()));
    auto presenter = std::make_shared<DepositRootPresenter>(interactor, router, viewController,
                                                            std::move(completion));
    // The root screen owns the presenter: the load ends with it.
    AnyObjectLifecycleTracker::attach(*viewController, [interactor] { interactor->cancel(); });
    viewController->setOutput(presenter);
    interactor->setOutput(presenter);
    router->setOutput(presenter);
    return navigationController;
}

}  // namespace corvend
