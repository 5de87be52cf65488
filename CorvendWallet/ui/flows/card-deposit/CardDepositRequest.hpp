#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "CorvendWallet/models/PaymentInstrumentReference.hpp"

namespace corvend {

// The host's card deposit: the amount in minor units of its currency, a saved card to offer
// for confirmation instead of asking for a new one, and the host's own reference.
struct CardDepositRequest {
    std::int64_t amount = 0;
    std::string currencyCode;
    std::optional<model::PaymentInstrumentReference> paymentInstrumentReference{};
    std::optional<std::string> merchantRefNum{};
};

}  // namespace corvend
