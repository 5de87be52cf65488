#include "CorvendWallet/services/history/AuthorizationHistoryMapper.hpp"

#include <utility>

namespace corvend {

AuthorizationHistoryMapper AuthorizationHistoryMapper::standard() {
    return {.mapAuthorization = &authorization, .mapAuthorizationList = &authorizationList};
}

model::Authorization AuthorizationHistoryMapper::authorization(
    AuthorizationHistoryServiceEndpoint::AuthorizationResponse response) {
    model::Authorization authorization;
    authorization.id_ = std::move(response.id);
    authorization.cardID_ = std::move(response.cardId);
    authorization.status_ = model::fromWire<model::AuthorizationStatus>(response.status);
    authorization.amount_ = response.amount;
    authorization.currencyCode_ = std::move(response.currencyCode);
    authorization.creationTime_ = response.creationTime;
    authorization.merchantName_ = std::move(response.merchantName);
    authorization.fees_ = toSimpleFeePayments(response.fees);
    return authorization;
}

model::AuthorizationList AuthorizationHistoryMapper::authorizationList(
    AuthorizationHistoryServiceEndpoint::AuthorizationListResponse response) {
    model::AuthorizationList list;
    if (response.authorizations) {
        list.authorizations_.reserve(response.authorizations->size());
        for (auto& record : *response.authorizations) {
            list.authorizations_.push_back(authorization(std::move(record)));
        }
    }
    if (response.meta) list.meta_ = toPagingResultMeta(*response.meta);
    return list;
}

}  // namespace corvend
