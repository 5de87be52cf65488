#pragma once

#include <boost/describe.hpp>
#include <cstdint>
#include <optional>
#include <string>

#include "CorvendWallet/models/FxAmount.hpp"
#include "platform/foundation/Decimal.hpp"

namespace corvend {

// The converted amount of a transfer or transaction. Read only; every key may be missing or
// null. The rate keeps the digits the service sent.
struct FxAmountModel {
    std::optional<std::int64_t> amount{};
    std::optional<platform::Decimal> rate{};
    std::optional<std::string> currency{};

    friend bool operator==(const FxAmountModel&, const FxAmountModel&) = default;
};
BOOST_DESCRIBE_STRUCT(FxAmountModel, (), (amount, rate, currency))

// The three fields copied.
model::FxAmount toFxAmount(const FxAmountModel& amount);

}  // namespace corvend
