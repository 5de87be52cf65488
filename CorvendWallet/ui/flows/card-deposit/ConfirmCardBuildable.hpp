#pragma once

#include <functional>
#include <vector>

#include "CorvendWallet/services/cards/CardPaymentInstrument.hpp"
#include "CorvendWallet/services/money/CustomerDeposit.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositState.hpp"
#include "CorvendWallet/foundation/Builder.hpp"
#include "CorvendWallet/ui/foundation/CardType.hpp"
#include "platform/ui/ViewController.hpp"

namespace corvend {

// Makes the confirm-card screen.
class ConfirmCardBuildable : public virtual Buildable {
  public:
    // The screen for the saved `cardPaymentInstrument` funding `deposit`, showing the logos of
    // `supportedCards`; `completion` receives the screen's one outcome. The caller pushes it.
    virtual platform::ui::ViewControllerPtr build(
        model::CardPaymentInstrument cardPaymentInstrument, model::CustomerDeposit deposit,
        std::vector<CardType> supportedCards, std::function<void(CardDepositState)> completion) = 0;
};

}  // namespace corvend
