#pragma once

#include <functional>

#include "CorvendWallet/services/money/CustomerDeposit.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositSummaryState.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDetails.hpp"
#include "CorvendWallet/foundation/Builder.hpp"
#include "platform/ui/ViewController.hpp"

namespace corvend {

// Makes the deposit summary of a created deposit; `completionHandler` hears its one outcome.
class DepositSummaryBuildable : public virtual Buildable {
  public:
    virtual platform::ui::ViewControllerPtr build(
        const model::CustomerDeposit& deposit, const CardDetails& cardDetails,
        std::function<void(CardDepositSummaryState)> completionHandler) = 0;
};

}  // namespace corvend
