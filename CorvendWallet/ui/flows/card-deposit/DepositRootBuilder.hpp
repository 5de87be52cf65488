#pragma once

#include "CorvendWallet/ui/flows/card-deposit/DepositRootBuildable.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositRootDependency.hpp"

namespace corvend {

// Makes the flow's root (a loading screen in a themed navigation controller) with its
// presenter, interactor, router and the child screens' builders. Main thread.
class DepositRootBuilder : public Builder<DepositRootDependency>, public DepositRootBuildable {
  public:
    using Builder::Builder;

    platform::ui::ViewControllerPtr build(
        const std::string& depositID, std::function<void(CardDepositResult)> completion) override;
};

}  // namespace corvend
