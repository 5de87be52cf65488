#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/foundation/Decimal.hpp"

namespace corvend::model {

// The amount of a transfer or transaction after currency conversion. Rates compare by
// numeric value (1.5 equals 1.50).
struct FxAmount {
    std::optional<std::int64_t> amount{};  // minor units of `currency`
    std::optional<platform::Decimal> rate{};
    std::optional<std::string> currency{};

    friend bool operator==(const FxAmount&, const FxAmount&) = default;
};

}  // namespace corvend::model
