#pragma once

#include <functional>
#include <string>

#include "CorvendWallet/ui/flows/card-deposit/CardDepositResult.hpp"
#include "CorvendWallet/foundation/Builder.hpp"
#include "platform/ui/ViewController.hpp"

namespace corvend {

// Makes the card-deposit flow for one deposit: its navigation controller, whose outcome
// reaches `completion` exactly once.
class DepositRootBuildable : public virtual Buildable {
  public:
    virtual platform::ui::ViewControllerPtr build(
        const std::string& depositID, std::function<void(CardDepositResult)> completion) = 0;
};

}  // namespace corvend
