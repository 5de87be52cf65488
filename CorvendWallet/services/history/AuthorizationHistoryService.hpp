#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "CorvendWallet/foundation/CompletionBridge.hpp"
#include "CorvendWallet/services/history/Authorization.hpp"
#include "CorvendWallet/services/history/AuthorizationList.hpp"
#include "CorvendWallet/services/history/GetAuthorizationHistoryParameters.hpp"

namespace corvend {

// The authorizations merchants asked for on the customer's prepaid cards: one page at a time,
// or one authorization. The shape of the operations and their contract: see
// runServiceOperation.
class AuthorizationHistoryService
    : public std::enable_shared_from_this<AuthorizationHistoryService> {
  public:
    using ListCompletion = std::function<void(Result<model::AuthorizationList>)>;
    using AuthorizationCompletion = std::function<void(Result<model::Authorization>)>;
    using Parameters = std::optional<model::GetAuthorizationHistoryParameters>;

    virtual ~AuthorizationHistoryService() = default;

    // One page; absent parameters ask for the service's default page without filters.
    model::AuthorizationList getAuthorizationHistory(const Parameters& parameters) {
        return callServiceOperation(*this, &AuthorizationHistoryService::doGetAuthorizationHistory,
                                    parameters);
    }
    std::shared_ptr<WalletOperationHandle> getAuthorizationHistory(Parameters parameters,
                                                                   ListCompletion completion) {
        return runServiceOperation(shared_from_this(),
                                   &AuthorizationHistoryService::doGetAuthorizationHistory,
                                   std::move(completion), std::move(parameters));
    }

    // The default page: no paging and no filter.
    model::AuthorizationList getAuthorizationHistory() {
        return callServiceOperation(*this, &AuthorizationHistoryService::doGetAuthorizationHistory,
                                    std::nullopt);
    }
    std::shared_ptr<WalletOperationHandle> getAuthorizationHistory(ListCompletion completion) {
        return runServiceOperation(shared_from_this(),
                                   &AuthorizationHistoryService::doGetAuthorizationHistory,
                                   std::move(completion), Parameters{});
    }

    // The authorization `id`.
    model::Authorization getAuthorization(const std::string& id) {
        return callServiceOperation(*this, &AuthorizationHistoryService::doGetAuthorization, id);
    }
    std::shared_ptr<WalletOperationHandle> getAuthorization(std::string id,
                                                            AuthorizationCompletion completion) {
        return runServiceOperation(shared_from_this(),
                                   &AuthorizationHistoryService::doGetAuthorization,
                                   std::move(completion), std::move(id));
    }

  protected:
    AuthorizationHistoryService() = default;
    AuthorizationHistoryService(const AuthorizationHistoryService&) = default;
    AuthorizationHistoryService& operator=(const AuthorizationHistoryService&) = default;

  private:
    virtual model::AuthorizationList doGetAuthorizationHistory(const Parameters& parameters) = 0;
    virtual model::Authorization doGetAuthorization(const std::string& id) = 0;
};

}  // namespace corvend
