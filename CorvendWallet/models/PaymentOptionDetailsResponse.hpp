#pragma once

#include <boost/describe.hpp>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/models/PaymentOptionDetails.hpp"
#include "CorvendWallet/models/PaymentOptionSettingsModel.hpp"

namespace corvend {

// One entry of the payment-options reply of deposits and of withdrawals (a bare JSON array
// of these). Read only; every key may be missing or null, and enumerated values stay text.
struct PaymentOptionDetailsResponse {
    std::optional<std::vector<std::string>> instrumentTypes{};
    std::optional<std::string> paymentOption{};
    std::optional<PaymentOptionSettingsModel> paymentOptionSettings{};

    friend bool operator==(const PaymentOptionDetailsResponse&,
                           const PaymentOptionDetailsResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(PaymentOptionDetailsResponse, (),
                      (instrumentTypes, paymentOption, paymentOptionSettings))

// The public entry: each instrument type read by fromWire() (an absent list
// stays absent), the option read by fromWire() so it is always present
// (absent reads as `unknown`), and the settings through toPaymentOptionSettings().
model::PaymentOptionDetails toPaymentOptionDetails(const PaymentOptionDetailsResponse& option);

// Each entry in the reply's order.
std::vector<model::PaymentOptionDetails> toPaymentOptionDetailsList(
    const std::vector<PaymentOptionDetailsResponse>& options);

}  // namespace corvend
