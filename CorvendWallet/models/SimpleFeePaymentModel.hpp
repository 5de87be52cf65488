#pragma once

#include <boost/describe.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/models/SimpleFeePayment.hpp"

namespace corvend {

// One fee. Read only; "amount" is required (missing or null fails the whole reply), the
// reason is kept as text so that an unknown one never fails decoding.
struct SimpleFeePaymentModel {
    std::int64_t amount = 0;
    std::optional<std::string> currency{};
    std::optional<std::string> paymentReason{};

    friend bool operator==(const SimpleFeePaymentModel&, const SimpleFeePaymentModel&) = default;
};
BOOST_DESCRIBE_STRUCT(SimpleFeePaymentModel, (), (amount, currency, paymentReason))

// Amount and currency copied, the reason read by fromWire().
model::SimpleFeePayment toSimpleFeePayment(const SimpleFeePaymentModel& fee);

// Each fee in order; an absent list gives an empty one.
std::vector<model::SimpleFeePayment> toSimpleFeePayments(
    const std::optional<std::vector<SimpleFeePaymentModel>>& fees);

}  // namespace corvend
