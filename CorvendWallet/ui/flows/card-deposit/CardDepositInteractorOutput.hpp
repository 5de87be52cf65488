#pragma once

#include "CorvendWallet/foundation/Error.hpp"
#include "CorvendWallet/services/money/CustomerDeposit.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDetails.hpp"

namespace corvend {

// A card screen's presenter, told how the create step ended (on the main thread, once per
// submit; never for a cancelled step).
class CardDepositInteractorOutput {
  public:
    virtual ~CardDepositInteractorOutput() = default;
    virtual void cardDepositDidSucceed(const model::CustomerDeposit& deposit,
                                       const CardDetails& cardDetails) = 0;
    virtual void cardDepositDidFail(const Error& error) = 0;
};

}  // namespace corvend
