#pragma once

#include <functional>
#include <vector>

#include "CorvendWallet/services/money/CustomerDeposit.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositState.hpp"
#include "CorvendWallet/foundation/Builder.hpp"
#include "CorvendWallet/ui/foundation/CardType.hpp"
#include "platform/ui/ViewController.hpp"

namespace corvend {

// Makes the add-card screen.
class AddCardBuildable : public virtual Buildable {
  public:
    // The screen for a new card funding `deposit`, accepting `supportedCards` (in the deposit
    // options' order); `completion` receives the screen's one outcome. The caller pushes it.
    virtual platform::ui::ViewControllerPtr build(
        std::vector<CardType> supportedCards, model::CustomerDeposit deposit,
        std::function<void(CardDepositState)> completion) = 0;
};

}  // namespace corvend
