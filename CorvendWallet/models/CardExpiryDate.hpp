#pragma once

#include <cstdint>

namespace corvend::model {

// The expiry of a card, as the service gives it (not checked).
struct CardExpiryDate {
    std::int64_t year = 0;
    std::int64_t month = 0;

    friend bool operator==(const CardExpiryDate&, const CardExpiryDate&) = default;
};

}  // namespace corvend::model
