#pragma once

// The one header a host includes: the facade, `corvend::Wallet`, through which a host configures
// the kit, authenticates its customer and reaches every service and screen, and the kit's
// version. A host never includes a path into the kit's layers.
//
//   #include "CorvendWallet/CorvendWallet.hpp"
//
//   corvend::Wallet::instance().configure(configuration);  // off the main queue's thread
//   auto deposits = corvend::Wallet::instance().depositService()->deposits(parameters);

#include "CorvendWallet/facade/CorvendWalletVersion.hpp"
#include "CorvendWallet/facade/Wallet.hpp"
