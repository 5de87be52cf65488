#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/foundation/CompletionBridge.hpp"
#include "CorvendWallet/services/profile/Account.hpp"
#include "CorvendWallet/services/profile/AddAccountRequest.hpp"
#include "CorvendWallet/services/profile/CustomerInfo.hpp"
#include "CorvendWallet/services/profile/ProfileInclude.hpp"

namespace corvend {

// The signed-in customer's information and currency accounts, and opening a new account. The
// shape of the operations and their contract: see runServiceOperation.
class ProfileService : public std::enable_shared_from_this<ProfileService> {
  public:
    using ProfileCompletion = std::function<void(Result<model::CustomerInfo>)>;
    using AccountsCompletion = std::function<void(Result<std::vector<model::Account>>)>;
    using AccountCompletion = std::function<void(Result<model::Account>)>;

    virtual ~ProfileService() = default;

    // The customer with the optional blocks `include` names, asked for in that order.
    model::CustomerInfo getProfile(const std::vector<model::ProfileInclude>& include) {
        return callServiceOperation(*this, &ProfileService::doGetProfile, include);
    }
    std::shared_ptr<WalletOperationHandle> getProfile(std::vector<model::ProfileInclude> include,
                                                      ProfileCompletion completion) {
        return runServiceOperation(shared_from_this(), &ProfileService::doGetProfile,
                                   std::move(completion), std::move(include));
    }

    // Every account, in the service's order.
    std::vector<model::Account> getAccounts() {
        return callServiceOperation(*this, &ProfileService::doGetAccounts);
    }
    std::shared_ptr<WalletOperationHandle> getAccounts(AccountsCompletion completion) {
        return runServiceOperation(shared_from_this(), &ProfileService::doGetAccounts,
                                   std::move(completion));
    }

    // The account `accountID`.
    model::Account getSingleAccount(const std::string& accountID) {
        return callServiceOperation(*this, &ProfileService::doGetSingleAccount, accountID);
    }
    std::shared_ptr<WalletOperationHandle> getSingleAccount(std::string accountID,
                                                            AccountCompletion completion) {
        return runServiceOperation(shared_from_this(), &ProfileService::doGetSingleAccount,
                                   std::move(completion), std::move(accountID));
    }

    // Opens an account in the request's currency and returns it.
    model::Account addAccount(const model::AddAccountRequest& request) {
        return callServiceOperation(*this, &ProfileService::doAddAccount, request);
    }
    std::shared_ptr<WalletOperationHandle> addAccount(model::AddAccountRequest request,
                                                      AccountCompletion completion) {
        return runServiceOperation(shared_from_this(), &ProfileService::doAddAccount,
                                   std::move(completion), std::move(request));
    }

  protected:
    ProfileService() = default;
    ProfileService(const ProfileService&) = default;
    ProfileService& operator=(const ProfileService&) = default;

  private:
    virtual model::CustomerInfo doGetProfile(const std::vector<model::ProfileInclude>& include) = 0;
    virtual std::vector<model::Account> doGetAccounts() = 0;
    virtual model::Account doGetSingleAccount(const std::string& accountID) = 0;
    virtual model::Account doAddAccount(const model::AddAccountRequest& request) = 0;
};

}  // namespace corvend
