#pragma once

#include "CorvendWallet/facade/CorvendWalletVersionMacros.hpp"

// The kit's version, for hosts that read it without the facade.
extern const double CorvendWalletVersionNumber;
extern const unsigned char CorvendWalletVersionString[];
