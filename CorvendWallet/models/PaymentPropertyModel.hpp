#pragma once

#include <boost/describe.hpp>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/models/PaymentProperty.hpp"

namespace corvend {

// One entry of a "paymentProperties" list, read and written. Both keys may be missing or
// null, and are left out when absent.
struct PaymentPropertyModel {
    std::optional<std::string> key{};
    std::optional<std::string> value{};

    friend bool operator==(const PaymentPropertyModel&, const PaymentPropertyModel&) = default;
};
BOOST_DESCRIBE_STRUCT(PaymentPropertyModel, (), (key, value))

// The key read by fromWire(), so a missing key reads as `unknown`, never as
// absent; the value copied.
model::PaymentProperty toPaymentProperty(const PaymentPropertyModel& property);

// The key written by its wire string (`unknown` as "UNKNOWN"), an absent key left absent; the
// value copied.
PaymentPropertyModel toPaymentPropertyModel(const model::PaymentProperty& property);

// Each entry in order; an absent list stays absent and an empty one stays empty.
std::optional<std::vector<model::PaymentProperty>> toPaymentProperties(
    const std::optional<std::vector<PaymentPropertyModel>>& properties);

// Each entry in order; an absent list stays absent and an empty one stays empty.
std::optional<std::vector<PaymentPropertyModel>> toPaymentPropertyModels(
    const std::optional<std::vector<model::PaymentProperty>>& properties);

}  // namespace corvend
