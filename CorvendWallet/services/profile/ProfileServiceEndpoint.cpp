#include "CorvendWallet/services/profile/ProfileServiceEndpoint.hpp"

#include "CorvendWallet/networking/JSONEndpoints.hpp"
#include "CorvendWallet/networking/PathSegment.hpp"
#include "platform/foundation/NeverDestroyed.hpp"

namespace corvend::ProfileServiceEndpoint {

Endpoint<CustomerInfoResponse> profile(const std::vector<model::ProfileInclude>& include) {
    std::vector<HTTPQueryParam> query;
    query.reserve(include.size());
    for (const auto block : include) {
        query.push_back({"include", std::string(model::includeQueryValue(block))});
    }
    return jsonGetEndpoint<CustomerInfoResponse>(kProfilePath, query);
}

const std::string& accountsPath() {
    static const platform::NeverDestroyed<std::string> path(std::string(kProfilePath) +
                                                            "/accounts");
    return *path;
}

const Endpoint<std::vector<AccountResponse>>& accountsEndpoint() {
    static const platform::NeverDestroyed<Endpoint<std::vector<AccountResponse>>> endpoint(
        jsonGetEndpoint<std::vector<AccountResponse>>(accountsPath()));
    return *endpoint;
}

Endpoint<AccountResponse> account(std::string_view accountID) {
    return jsonGetEndpoint<AccountResponse>(accountsPath() + "/" + pathSegment(accountID));
}

Endpoint<AccountResponse> addAccount(const model::AddAccountRequest& request) {
    return jsonPostEndpoint<AccountResponse>(accountsPath(),
                                             AddAccountRequest{request.currencyCode()});
}

}  // namespace corvend::ProfileServiceEndpoint
