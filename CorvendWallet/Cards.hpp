#pragma once

// For hosts that use prepaid cards and saved payment instruments: cardService(),
// paymentInstrumentService(). With it, the Wallet:: names of these types are complete.

#include "CorvendWallet/CorvendWallet.hpp"
#include "CorvendWallet/models/CardExpiryDate.hpp"
#include "CorvendWallet/models/CardScheme.hpp"
#include "CorvendWallet/models/PagingResultMeta.hpp"
#include "CorvendWallet/services/cards/CardPaymentInstrument.hpp"
#include "CorvendWallet/services/cards/CardSecureDetailsRequest.hpp"
#include "CorvendWallet/services/cards/CardService.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentService.hpp"
#include "CorvendWallet/services/cards/SepaBankAccount.hpp"
#include "CorvendWallet/services/cards/UkBankAccount.hpp"
#include "CorvendWallet/services/cards/UsBankAccount.hpp"
