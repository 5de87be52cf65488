#pragma once

#include <boost/describe.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CorvendWallet/models/PagingResultMetaModel.hpp"
#include "CorvendWallet/models/SimpleFeePaymentModel.hpp"
#include "CorvendWallet/networking/Endpoint.hpp"
#include "CorvendWallet/services/history/GetAuthorizationHistoryParameters.hpp"
#include "platform/foundation/Date.hpp"

// The wire side of the card authorization history: its JSON models and REST calls.
namespace corvend::AuthorizationHistoryServiceEndpoint {

inline constexpr std::string_view kAuthorizationsPath = "digitalwallets/v1/profile/authorizations";

// One authorization. Read only; "id", "cardId", "status", "amount", "currencyCode" and
// "creationTime" required, the status kept as text.
struct AuthorizationResponse {
    std::string id;
    std::string cardId;
    std::string status;
    std::int64_t amount = 0;
    std::string currencyCode;
    platform::Date creationTime;
    std::optional<std::string> merchantName{};
    std::optional<std::vector<SimpleFeePaymentModel>> fees{};

    friend bool operator==(const AuthorizationResponse&, const AuthorizationResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(AuthorizationResponse, (),
                      (id, cardId, status, amount, currencyCode, creationTime, merchantName, fees))

// One page. Read only; a missing "authorizations" is an empty page (as for deposits; the
// withdrawal and transfer pages require their lists).
struct AuthorizationListResponse {
    std::optional<std::vector<AuthorizationResponse>> authorizations{};
    std::optional<PagingResultMetaModel> meta{};

    friend bool operator==(const AuthorizationListResponse&,
                           const AuthorizationListResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(AuthorizationListResponse, (), (authorizations, meta))

// GET kAuthorizationsPath with the parameters' query items, none when absent.
Endpoint<AuthorizationListResponse> authorizations(
    const std::optional<model::GetAuthorizationHistoryParameters>& parameters);

// GET kAuthorizationsPath + "/" + `id` as one path segment: throws model::WalletError
// internalError "I0001" for "", "." and "..", before anything is sent.
Endpoint<AuthorizationResponse> authorization(std::string_view id);

}  // namespace corvend::AuthorizationHistoryServiceEndpoint
