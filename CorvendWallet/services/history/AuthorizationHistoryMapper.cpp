#include "CorvendWallet/services/history/AuthorizationHistoryMapper.hpp"

namespace corvend {

AuthorizationHistoryMapper AuthorizationHistoryMapper::standard() {
    return {.mapAuthorization = &authorization, .mapAuthorizationList = &authorizationList};
}

model::Authorization AuthorizationHistoryMapper::authorization(
    const AuthorizationHistoryServiceEndpoint::AuthorizationResponse& response) {
    model::Authorization authorization;
    authorization.id_ = response.id;
    authorization.cardID_ = response.cardId;
    authorization.status_ = model::fromWire<model::AuthorizationStatus>(response.status);
    authorization.amount_ = response.amount;
    authorization.currencyCode_ = response.currencyCode;
    authorization.creationTime_ = response.creationTime;
    authorization.merchantName_ = response.merchantName;
    authorization.fees_ = toSimpleFeePayments(response.fees);
    return authorization;
}

model::AuthorizationList AuthorizationHistoryMapper::authorizationList(
    const AuthorizationHistoryServiceEndpoint::AuthorizationListResponse& response) {
    model::AuthorizationList list;
    list.authorizations_.reserve(response.authorizations.size());
    for (const auto& record : response.authorizations) {
        list.authorizations_.push_back(authorization(record));
    }
    if (response.meta) list.meta_ = toPagingResultMeta(*response.meta);
    return list;
}

}  // namespace corvend
