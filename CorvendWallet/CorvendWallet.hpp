#pragma once

// The header a host includes for the facade, `corvend::Wallet`, through which a host configures
// the kit, authenticates its customer and reaches every service and screen, the errors its calls
// report, and the kit's version. It declares the services' types only; a host adds the header
// of each part it uses, all beside this one:
//   CorvendWallet/Money.hpp        deposits, withdrawals, transfers, FX quotes
//   CorvendWallet/Cards.hpp        prepaid cards, saved payment instruments
//   CorvendWallet/Profile.hpp      the profile, identity verification and its screen
//   CorvendWallet/History.hpp      transaction and card authorization history
//   CorvendWallet/CardDeposit.hpp  the card-deposit flow
//   CorvendWallet/Screens.hpp      the screens' appearance, card checks, money formatting
// A host never includes a path into the kit's layers.
//
//   #include "CorvendWallet/CorvendWallet.hpp"
//   #include "CorvendWallet/Money.hpp"
//
//   corvend::Wallet::instance().configure(configuration);  // off the main queue's thread
//   auto deposits = corvend::Wallet::instance().depositService()->deposits(parameters);

#include "CorvendWallet/CorvendWallet.hpp"
//
//   corvend::Wallet::instance().configure(configuration);  // off the main queue's thread
//   auto deposits = corvend::Wallet::instance().depositService()->deposits(parameters);

#include "CorvendWallet/facade/CorvendWalletVersion.hpp"
#include "CorvendWallet/facade/Wallet.hpp"
