#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::model {

// One fee of a deposit, withdrawal, transfer, transaction or authorization.
struct SimpleFeePayment {
    enum class FeePaymentReason { merchantFee, corvendFee, atmFee, fxFee, otherFee, unknown };

    std::int64_t amount = 0;  // minor units of `currency`
    std::optional<std::string> currency{};
    FeePaymentReason paymentReason = FeePaymentReason::unknown;

    friend bool operator==(const SimpleFeePayment&, const SimpleFeePayment&) = default;
};

// Read only: the kit never writes a fee.
template <>
struct WireValues<SimpleFeePayment::FeePaymentReason> {
    using Reason = SimpleFeePayment::FeePaymentReason;
    static constexpr auto table = wireValueTable(Reason::unknown, "UNKNOWN",
                                                 {{Reason::merchantFee, "MERCHANT_FEE"},
                                                  {Reason::corvendFee, "CORVEND_FEE"},
                                                  {Reason::atmFee, "ATM_FEE"},
                                                  {Reason::fxFee, "FX_FEE"},
                                                  {Reason::otherFee, "OTHER_FEE"}});
};

}  // namespace corvend::model
