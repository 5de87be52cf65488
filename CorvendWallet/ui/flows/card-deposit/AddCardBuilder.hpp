#pragma once

#include "CorvendWallet/ui/flows/card-deposit/AddCardBuildable.hpp"
#include "CorvendWallet/ui/flows/card-deposit/AddCardDependency.hpp"

namespace corvend {

// Wires the add-card screen: view controller, presenter, interactor, router and validators;
// the interactor's running deposit is cancelled when the view controller goes away.
class AddCardBuilder : public Builder<AddCardDependency>, public AddCardBuildable {
  public:
    using Builder<AddCardDependency>::Builder;

    platform::ui::ViewControllerPtr build(
        std::vector<CardType> supportedCards, model::CustomerDeposit deposit,
        std::function<void(CardDepositState)> completion) override;
};

}  // namespace corvend
