#pragma once

// For hosts that use deposits, withdrawals, transfers and FX quotes: depositService(),
// withdrawalService(), transferService(), currencyExchangeService(), and the payment models they
// share. With it, the Wallet:: names of these types are complete.

#include "CorvendWallet/CorvendWallet.hpp"
#include "CorvendWallet/models/CardPaymentOptionSettings.hpp"
#include "CorvendWallet/models/CardScheme.hpp"
#include "CorvendWallet/models/FxAmount.hpp"
#include "CorvendWallet/models/PagingResultMeta.hpp"
#include "CorvendWallet/models/PaymentInstrumentReference.hpp"
#include "CorvendWallet/models/PaymentOptionDetails.hpp"
#include "CorvendWallet/models/PaymentProperty.hpp"
#include "CorvendWallet/models/PaymentPropertyKey.hpp"
#include "CorvendWallet/models/PaymentStatus.hpp"
#include "CorvendWallet/models/SimpleFeePayment.hpp"
#include "CorvendWallet/models/TransferDetails.hpp"
#include "CorvendWallet/services/money/CurrencyExchangeService.hpp"
#include "CorvendWallet/services/money/DepositService.hpp"
#include "CorvendWallet/services/money/TransferService.hpp"
#include "CorvendWallet/services/money/WithdrawalService.hpp"
