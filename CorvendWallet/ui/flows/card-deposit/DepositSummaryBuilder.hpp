#pragma once

#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryBuildable.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryDependency.hpp"

namespace corvend {

// Makes the deposit summary with its presenter and interactor wired; main thread.
class DepositSummaryBuilder : public Builder<DepositSummaryDependency>,
                              public DepositSummaryBuildable {
  public:
    using Builder::Builder;

    platform::ui::ViewControllerPtr build(
        const model::CustomerDeposit& deposit, const CardDetails& cardDetails,
        std::function<void(CardDepositSummaryState)> completionHandler) override;
};

}  // namespace corvend
