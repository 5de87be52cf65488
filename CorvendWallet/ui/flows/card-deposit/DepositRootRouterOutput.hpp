#pragma once

#include "CorvendWallet/ui/flows/card-deposit/CardDepositResult.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositState.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositSummaryState.hpp"

namespace corvend {

// The flow's presenter, told how each later screen ended. Main thread.
class DepositRootRouterOutput {
  public:
    virtual ~DepositRootRouterOutput() = default;
    virtual void handleCardDepositState(CardDepositState state) = 0;
    virtual void handleSummaryState(CardDepositSummaryState state) = 0;
    // The 3-D Secure page reached its return address.
    virtual void threeDSDidComplete() = 0;
};

}  // namespace corvend
