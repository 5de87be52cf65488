#pragma once

#include <string>

#include "CorvendWallet/models/InstrumentType.hpp"

namespace corvend::model {

// Names the saved instrument that a payment uses. Built by the host for requests; stored
// as given, never checked.
struct PaymentInstrumentReference {
    std::string id;
    InstrumentType instrumentType = InstrumentType::unknown;

    friend bool operator==(const PaymentInstrumentReference&,
                           const PaymentInstrumentReference&) = default;
};

}  // namespace corvend::model
