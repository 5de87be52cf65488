#pragma once

#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardBuildable.hpp"
#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardDependency.hpp"

namespace corvend {

// Wires the confirm-card screen: view controller, presenter, interactor and router; the
// interactor's running deposit is cancelled when the view controller goes away.
class ConfirmCardBuilder : public Builder<ConfirmCardDependency>, public ConfirmCardBuildable {
  public:
    using Builder<ConfirmCardDependency>::Builder;

    platform::ui::ViewControllerPtr build(
        model::CardPaymentInstrument cardPaymentInstrument, model::CustomerDeposit deposit,
        std::vector<CardType> supportedCards,
        std::function<void(CardDepositState)> completion) override;
};

}  // namespace corvend
