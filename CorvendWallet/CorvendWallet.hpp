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
// A host never includes a path into the kit's layers. The codes the kit's own failures carry,
// each with what it means and what a host can do, are corvend::model::ErrorCode::descriptions.
//
// On a thread of the host's that may block (never the one that drives the main queue), the
// blocking forms return the value or throw one of the errors Wallet lists:
// Example (compiled as written by the kit's build):
//   #include <iostream>
//   #include <optional>
//   #include <string>
//
//   #include "CorvendWallet/CorvendWallet.hpp"
//   #include "CorvendWallet/Money.hpp"
//
//   void printDeposits(const std::string& baseURL, const std::string& accessToken) {
//       auto& wallet = corvend::Wallet::instance();
//       wallet.configure({"config-token", baseURL});
//       wallet.authenticate({accessToken});
//       const auto page = wallet.depositService()->getAll(std::nullopt);
//       for (const auto& deposit : page.deposits()) std::cout << deposit.id() << '\n';
//   }

#include "CorvendWallet/facade/CorvendWalletVersion.hpp"
#include "CorvendWallet/facade/Wallet.hpp"
#include "CorvendWallet/foundation/ErrorCode.hpp"
