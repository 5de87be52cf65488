#pragma once

#include <boost/describe.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "CorvendWallet/networking/Endpoint.hpp"
#include "platform/foundation/Date.hpp"
#include "platform/foundation/Decimal.hpp"

// The wire side of currency exchange: the JSON models and REST calls of the service's quotes.
namespace corvend::CurrencyExchangeEndpoint {

// Where quotes are created; a quote is read at this path + "/" + its identifier.
inline constexpr std::string_view kQuotesPath = "digitalwallets/v1/profile/fxrate";

// The body of a quote request. Written only; both keys are always written.
struct FXRateRequest {
    std::string sourceCurrency;
    std::string targetCurrency;

    friend bool operator==(const FXRateRequest&, const FXRateRequest&) = default;
};
BOOST_DESCRIBE_STRUCT(FXRateRequest, (), (sourceCurrency, targetCurrency))

// One quote as the service sends it. Read only. "id" and "sender" may be missing or null;
// every other key is required and not null. Dates are RFC 3339 text, with or without a
// fraction of a second; "fxRate" is a JSON number kept exactly (at most 38 significant digits).
struct FXRateResponse {
    std::optional<std::string> id;
    std::string sourceCurrency;
    std::string targetCurrency;
    platform::Date creationTime;
    platform::Date expirationTime;
    platform::Decimal fxRate;
    std::optional<std::string> sender;

    // Field by field; the rate by value.
    friend bool operator==(const FXRateResponse&, const FXRateResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(FXRateResponse, (),
                      (id, sourceCurrency, targetCurrency, creationTime, expirationTime, fxRate,
                       sender))

// GET kQuotesPath + "/" + `id`, no query, no body, the reply read as FXRateResponse with the
// shared decoder, the default error processor. `id` stands as one path segment (percent-encoded
// outside RFC 3986's unreserved set). Throws model::WalletError internalError "I0001" for "", "."
// and "..", before anything is sent.
Endpoint<FXRateResponse> getQuote(std::string_view id);

// POST kQuotesPath, no query, `request` as its "application/json" body written by the shared
// request encoder, the reply read as FXRateResponse, the default error processor.
Endpoint<FXRateResponse> createQuote(FXRateRequest request);

}  // namespace corvend::CurrencyExchangeEndpoint
