#pragma once

// For hosts that use the transaction and card authorization history: transactionHistoryService(),
// authorizationHistory(). With it, the Wallet:: names of these types are complete.

#include "CorvendWallet/CorvendWallet.hpp"
#include "CorvendWallet/models/PagingResultMeta.hpp"
#include "CorvendWallet/services/history/AuthorizationHistoryService.hpp"
#include "CorvendWallet/services/history/TransactionHistoryService.hpp"
