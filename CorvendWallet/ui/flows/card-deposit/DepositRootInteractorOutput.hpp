#pragma once

#include <memory>
#include <vector>

#include "CorvendWallet/foundation/Error.hpp"
#include "CorvendWallet/services/cards/PaymentInstrument.hpp"
#include "CorvendWallet/services/money/CustomerDeposit.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositResult.hpp"
#include "CorvendWallet/ui/foundation/CardType.hpp"

namespace corvend {

// The flow's presenter, told what the load found. Main thread.
class DepositRootInteractorOutput {
  public:
    virtual ~DepositRootInteractorOutput() = default;
    virtual void showConfirmCard(std::shared_ptr<const model::PaymentInstrument> instrument,
                                 const model::CustomerDeposit& deposit,
                                 const std::vector<CardType>& supportedCards) = 0;
    virtual void showAddCard(const model::CustomerDeposit& deposit,
                             const std::vector<CardType>& supportedCards) = 0;
    // The load cannot go on: the spinner stops and the flow ends with `result`.
    virtual void loadDidFail(CardDepositResult result) = 0;
};

}  // namespace corvend
