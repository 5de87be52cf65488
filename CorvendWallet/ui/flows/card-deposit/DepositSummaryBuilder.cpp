#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryBuilder.hpp"

#include <memory>

#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryInteractor.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryPresenter.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryViewController.hpp"
#include "CorvendWallet/ui/foundation/AnyObjectLifecycleTracker.hpp"

namespace corvend {

platform::ui::ViewControllerPtr DepositSummaryBuilder::build(
    const model::CustomerDeposit& deposit, const CardDetails& cardDetails,
    std::function<void(CardDepositSummaryState)> completionHandler) {
    auto viewController = std::make_shared<DepositSummaryViewController>();
    auto interactor =
        std::make_shared<DepositSummaryInteractor>(dependency()->depositService(), deposit.id());
    auto presenter =
        std::make_shared<DepositSummaryPresenter>(deposit, cardDetails, viewController, interactor,
                                                  MoneyFormatter(), std::move(completionHandler));
    AnyObjectLifecycleTracker::attach(*viewController, [interactor] { interactor->cancel(); });
    viewController->setOutput(presenter);
    interactor->setOutput(presenter);
    return viewController;
}

}  // namespace corvend
