#pragma once

// For hosts that use the screens' look (setAppearance and the theme it installs), the card checks
// (card type, number, expiry date and security code, cardNumberMask) and money formatting. With it,
// the Wallet:: names of these types are complete.

#include "CorvendCoreComponents/Theme.hpp"
#include "CorvendWallet/CorvendWallet.hpp"
#include "CorvendWallet/ui/foundation/Appearance.hpp"
#include "CorvendWallet/ui/foundation/CardNumberValidator.hpp"
#include "CorvendWallet/ui/foundation/CardTextFormatting.hpp"
#include "CorvendWallet/ui/foundation/CardType.hpp"
#include "CorvendWallet/ui/foundation/CvvValidator.hpp"
#include "CorvendWallet/ui/foundation/ExpiryDateValidator.hpp"
#include "CorvendWallet/ui/foundation/MoneyFormatter.hpp"
