#pragma once

// For hosts that use the customer's profile and identity verification: profileService(),
// customerVerificationService() and the verification screen it returns. With it, the Wallet:: names
// of these types are complete.

#include "CorvendWallet/CorvendWallet.hpp"
#include "CorvendWallet/services/profile/CustomerVerificationRequest.hpp"
#include "CorvendWallet/services/profile/CustomerVerificationScreen.hpp"
#include "CorvendWallet/services/profile/CustomerVerificationService.hpp"
#include "CorvendWallet/services/profile/ProfileService.hpp"
#include "CorvendWallet/services/profile/UpdateCustomerRequest.hpp"
#include "CorvendWallet/services/profile/VerificationResult.hpp"
