#pragma once

#include <optional>
#include <string>

#include "CorvendWallet/models/PaymentPropertyKey.hpp"

namespace corvend::model {

// One key and value attached to a payment's create or confirm step, or returned with a
// payment (the card security code, the choice to save the card). An absent key and the key
// `unknown` are different values.
struct PaymentProperty {
    std::optional<PaymentPropertyKey> key{};
    std::optional<std::string> value{};

    friend bool operator==(const PaymentProperty&, const PaymentProperty&) = default;
};

}  // namespace corvend::model
