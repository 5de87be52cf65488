#pragma once

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::model {

// The verification state of a saved payment instrument.
enum class PaymentInstrumentStatus { verified, unverified, rejected, unknown };

// Instruments are sent back with an empty status, not "UNKNOWN", when the kit does not know it.
template <>
struct WireValues<PaymentInstrumentStatus> {
    static constexpr auto table =
        wireValueTable(PaymentInstrumentStatus::unknown, "",
                       {{PaymentInstrumentStatus::verified, "VERIFIED"},
                        {PaymentInstrumentStatus::unverified, "UNVERIFIED"},
                        {PaymentInstrumentStatus::rejected, "REJECTED"}});
};

}  // namespace corvend::model
