#include "CorvendWallet/facade/CorvendWalletVersion.hpp"

// CORVEND_WALLET_VERSION and CORVEND_WALLET_VERSION_NUMBER come from the build's project version.
const double CorvendWalletVersionNumber = CORVEND_WALLET_VERSION_NUMBER;
const unsigned char CorvendWalletVersionString[] = CORVEND_WALLET_VERSION;
