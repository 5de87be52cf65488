#pragma once

#include <span>
#include <string_view>

#include "RouteContext.hpp"

namespace corvend::sandbox {

// The store collection that holds the quotes made, under their identifiers.
inline constexpr std::string_view kFxQuotesCollection = "fx.quotes";

// One rate the sandbox quotes: `rate` is the JSON number text sent, digit for digit.
struct FxSeedRate {
    std::string_view sourceCurrency;
    std::string_view targetCurrency;
    std::string_view rate;
};

// The rates quoted, one per ordered currency pair. Codes are matched exactly (upper case).
std::span<const FxSeedRate> fxSeedRates();

// The quotes, for a request with a non-empty bearer credential (401 error document otherwise):
// - POST digitalwallets/v1/profile/fxrate with {"sourceCurrency", "targetCurrency"}: 201 with a
//   new quote {"id", "sourceCurrency", "targetCurrency", "creationTime", "expirationTime",
//   "fxRate"} (times in RFC 3339 UTC with milliseconds, valid for ten minutes; the rate as the
//   seed's exact text), kept in the store. A body that is not such an object, a code that is not
//   quoted, or a pair without a rate gets a 400 error document with fieldErrors.
// - GET digitalwallets/v1/profile/fxrate/{id}: 200 with that quote, 404 error document when
//   there is none.
void addFxRoutes(const RouteContext& context);

}  // namespace corvend::sandbox
