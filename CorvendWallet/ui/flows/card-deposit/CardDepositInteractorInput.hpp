#pragma once

#include "CorvendWallet/ui/flows/card-deposit/CardDepositInput.hpp"

namespace corvend {

// What a card screen's presenter asks of its interactor. Main thread.
class CardDepositInteractorInput {
  public:
    virtual ~CardDepositInteractorInput() = default;
    // Starts the deposit's create step with what the customer entered; `isNewCard` sends the
    // card itself and the save-card choice, otherwise only the security code.
    virtual void deposit(const CardDepositInput& input, bool isNewCard) = 0;
    // Cancels the running create step, if any: it then reports nothing.
    virtual void cancel() = 0;
};

}  // namespace corvend
