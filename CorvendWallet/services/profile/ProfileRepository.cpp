#include "CorvendWallet/services/profile/ProfileRepository.hpp"

#include <stdexcept>
#include <utility>

#include "CorvendWallet/foundation/AskedRecord.hpp"
#include "CorvendWallet/services/profile/ProfileMapping.hpp"
#include "CorvendWallet/services/profile/ProfileServiceEndpoint.hpp"

namespace corvend {

ProfileRepository::ProfileRepository(std::shared_ptr<Networkable> networkManager)
    : networkManager_(std::move(networkManager)) {
    if (!networkManager_) throw std::invalid_argument("ProfileRepository needs a network manager");
}

std::shared_ptr<ProfileRepository> ProfileRepository::make(
    std::shared_ptr<Networkable> networkManager) {
    return std::make_shared<ProfileRepository>(std::move(networkManager));
}

model::CustomerInfo ProfileRepository::doGetProfile(
    const std::vector<model::ProfileInclude>& include) {
    return ProfileMapping::toCustomerInfo(
        networkManager_->request(ProfileServiceEndpoint::profile(include)));
}

std::vector<model::Account> ProfileRepository::doGetAccounts() {
    const auto accounts = networkManager_->request(ProfileServiceEndpoint::accountsEndpoint());
    std::vector<model::Account> values;
    values.reserve(accounts.size());
    for (const auto& account : accounts) values.push_back(ProfileMapping::toAccount(account));
    return values;
}

model::Account ProfileRepository::doGetSingleAccount(const std::string& accountID) {
    return askedRecord(accountID,
                       ProfileMapping::toAccount(
                           networkManager_->request(ProfileServiceEndpoint::account(accountID))),
                       &model::Account::id);
}

model::Account ProfileRepository::doAddAccount(const model::AddAccountRequest& request) {
    return ProfileMapping::toAccount(
        networkManager_->request(ProfileServiceEndpoint::addAccount(request)));
}

}  // namespace corvend
