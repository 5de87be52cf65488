#pragma once

#include <boost/describe.hpp>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/models/PaymentOptionSettings.hpp"

namespace corvend {

// The "paymentOptionSettings" of one entry of the deposit and withdrawal option lists. Read
// only; "paymentOption" is required whenever the object is there.
struct PaymentOptionSettingsModel {
    std::string paymentOption;
    std::optional<std::vector<std::string>> cardSchemes{};

    friend bool operator==(const PaymentOptionSettingsModel&,
                           const PaymentOptionSettingsModel&) = default;
};
BOOST_DESCRIBE_STRUCT(PaymentOptionSettingsModel, (), (paymentOption, cardSchemes))

// Card settings for the option "CARD" (exactly), with every scheme read in order by
// fromWire(), duplicates and unknown ones kept, and an absent list read as empty.
// Null for any other option: only the card option has settings the kit knows.
std::shared_ptr<const model::PaymentOptionSettings> toPaymentOptionSettings(
    const PaymentOptionSettingsModel& settings);

}  // namespace corvend
