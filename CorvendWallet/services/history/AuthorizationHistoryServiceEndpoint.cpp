#include "CorvendWallet/services/history/AuthorizationHistoryServiceEndpoint.hpp"

#include "CorvendWallet/networking/JSONEndpoints.hpp"
#include "CorvendWallet/networking/PathSegment.hpp"

namespace corvend::AuthorizationHistoryServiceEndpoint {

Endpoint<AuthorizationListResponse> authorizations(
    const std::optional<model::GetAuthorizationHistoryParameters>& parameters) {
    return jsonGetEndpoint<AuthorizationListResponse>(
        kAuthorizationsPath,
        parameters ? parameters->queryParams() : std::vector<HTTPQueryParam>{});
}

Endpoint<AuthorizationResponse> authorization(std::string_view id) {
    return jsonGetEndpoint<AuthorizationResponse>(std::string(kAuthorizationsPath) + "/" +
                                                  pathSegment(id));
}

}  // namespace corvend::AuthorizationHistoryServiceEndpoint
