#include "CorvendWallet/facade/CorvendWalletVersion.hpp"

// CORVEND_WALLET_VERSION_NUMBER (major.minor) comes from the build's project version.
const double CorvendWalletVersionNumber = CORVEND_WALLET_VERSION_NUMBER;
const unsigned char CorvendWalletVersionString[] = CORVEND_WALLET_VERSION_STRING;
