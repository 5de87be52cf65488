#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/networking/Networkable.hpp"
#include "CorvendWallet/services/profile/ProfileService.hpp"

namespace corvend {

// The profile service over one network manager (see ProfileServiceEndpoint for the calls and
// ProfileMapping for the replies). It adds no error and keeps no state, so concurrent calls are
// independent.
class ProfileRepository final : public ProfileService {
  public:
    // Throws std::invalid_argument for a null `networkManager`.
    explicit ProfileRepository(std::shared_ptr<Networkable> networkManager);

    static std::shared_ptr<ProfileRepository> make(std::shared_ptr<Networkable> networkManager);

    const std::shared_ptr<Networkable>& networkManager() const noexcept { return networkManager_; }

  private:
    model::CustomerInfo doGetProfile(const std::vector<model::ProfileInclude>& include) override;
    std::vector<model::Account> doGetAccounts() override;
    model::Account doGetSingleAccount(const std::string& accountID) override;
    model::Account doAddAccount(const model::AddAccountRequest& request) override;

    const std::shared_ptr<Networkable> networkManager_;
};

}  // namespace corvend
