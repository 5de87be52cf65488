#pragma once

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::model {

// The status of a deposit, withdrawal or transfer, and each of a deposit's next statuses.
enum class PaymentStatus {
    preview,
    pending,
    processing,
    completed,
    failed,
    cancelled,
    refunded,
    redirection,
    unknown
};

// Only "CANCELLED" with two L is `cancelled`. `unknown` is written as "UNKNOWN".
template <>
struct WireValues<PaymentStatus> {
    static constexpr auto table = wireValueTable(PaymentStatus::unknown, "UNKNOWN",
                                                 {{PaymentStatus::preview, "PREVIEW"},
                                                  {PaymentStatus::pending, "PENDING"},
                                                  {PaymentStatus::processing, "PROCESSING"},
                                                  {PaymentStatus::completed, "COMPLETED"},
                                                  {PaymentStatus::failed, "FAILED"},
                                                  {PaymentStatus::cancelled, "CANCELLED"},
                                                  {PaymentStatus::refunded, "REFUNDED"},
                                                  {PaymentStatus::redirection, "REDIRECTION"}});
};

}  // namespace corvend::model
