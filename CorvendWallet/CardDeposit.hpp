#pragma once

// For hosts that use the card-deposit flow: cardDepositService(), its request and its result. With
// it, the Wallet:: names of these types are complete.

#include "CorvendWallet/CorvendWallet.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositError.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositRequest.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositResult.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositService.hpp"
