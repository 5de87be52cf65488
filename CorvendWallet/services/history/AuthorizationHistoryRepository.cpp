#include "CorvendWallet/services/history/AuthorizationHistoryRepository.hpp"

#include <stdexcept>
#include <utility>

#include "CorvendWallet/foundation/AskedRecord.hpp"

namespace corvend {

AuthorizationHistoryRepository::AuthorizationHistoryRepository(
    std::shared_ptr<Networkable> networkManager, AuthorizationHistoryMapper mapper)
    : networkManager_(std::move(networkManager)), mapper_(std::move(mapper)) {
    if (!networkManager_ || !mapper_.mapAuthorization || !mapper_.mapAuthorizationList) {
        throw std::invalid_argument(
            "AuthorizationHistoryRepository needs a network manager and both mapping functions");
    }
}

std::shared_ptr<AuthorizationHistoryRepository> AuthorizationHistoryRepository::make(
    std::shared_ptr<Networkable> networkManager, AuthorizationHistoryMapper mapper) {
    return std::make_shared<AuthorizationHistoryRepository>(std::move(networkManager),
                                                            std::move(mapper));
}

model::AuthorizationList AuthorizationHistoryRepository::doGetAuthorizationHistory(
    const Parameters& parameters) {
    return mapper_.mapAuthorizationList(
        networkManager_->request(AuthorizationHistoryServiceEndpoint::authorizations(parameters)));
}

model::Authorization AuthorizationHistoryRepository::doGetAuthorization(const std::string& id) {
    return askedRecord(id,
                       mapper_.mapAuthorization(networkManager_->request(
                           AuthorizationHistoryServiceEndpoint::authorization(id))),
                       &model::Authorization::id);
}

}  // namespace corvend
