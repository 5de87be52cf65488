#pragma once

#include <functional>

#include "CorvendWallet/services/history/AuthorizationHistoryServiceEndpoint.hpp"
#include "CorvendWallet/services/history/AuthorizationList.hpp"

namespace corvend {

// How the authorization-history repository turns replies into public models: a record of two
// functions, so a host or a test can put its own in. standard() holds the kit's.
struct AuthorizationHistoryMapper {
    std::function<model::Authorization(AuthorizationHistoryServiceEndpoint::AuthorizationResponse)>
        mapAuthorization;
    std::function<model::AuthorizationList(
        AuthorizationHistoryServiceEndpoint::AuthorizationListResponse)>
        mapAuthorizationList;

    // The kit's mapping: a status the kit does not know reads as `unknown`, absent fees as an
    // empty list, an absent paging block as one with every field absent; nothing fails.
    static AuthorizationHistoryMapper standard();

    // Both take the reply by value and move its texts into the public model.
    static model::Authorization authorization(
        AuthorizationHistoryServiceEndpoint::AuthorizationResponse response);
    static model::AuthorizationList authorizationList(
        AuthorizationHistoryServiceEndpoint::AuthorizationListResponse response);
};

}  // namespace corvend
