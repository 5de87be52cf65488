#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/services/profile/Account.hpp"
#include "CorvendWallet/services/profile/Address.hpp"
#include "CorvendWallet/services/profile/ContactInformation.hpp"
#include "CorvendWallet/services/profile/Occupation.hpp"
#include "CorvendWallet/services/profile/UserRestriction.hpp"
#include "CorvendWallet/services/profile/Vulnerabilities.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend {
class ProfileMapping;
}  // namespace corvend

namespace corvend::model {

// The signed-in customer as the service reports them, with the optional blocks the profile
// call asked for. Only the kit makes one, from the service's reply; its identity is id().
class CustomerInfo {
  public:
    const std::string& id() const noexcept { return id_; }
    const std::optional<std::string>& title() const noexcept { return title_; }
    const std::string& firstName() const noexcept { return firstName_; }
    const std::string& lastName() const noexcept { return lastName_; }
    // Midnight UTC of the birthday; platform::Date::distantPast() when the service sent no
    // readable date.
    const platform::Date& birthDate() const noexcept { return birthDate_; }
    const std::optional<std::string>& nationality() const noexcept { return nationality_; }
    const std::optional<Occupation>& occupation() const noexcept { return occupation_; }
    // Never absent: empty when the service recorded none.
    const std::vector<Vulnerabilities>& vulnerabilities() const noexcept {
        return vulnerabilities_;
    }
    const std::optional<std::string>& externalID() const noexcept { return externalID_; }
    const std::optional<Address>& address() const noexcept { return address_; }
    const std::optional<ContactInformation>& contactInfo() const noexcept { return contactInfo_; }
    const std::optional<std::string>& type() const noexcept { return type_; }
    // Absent when the reply had no restrictions block, empty when it had an empty one.
    const std::optional<std::vector<UserRestriction>>& restrictions() const noexcept {
        return restrictions_;
    }
    // Absent when the reply had no accounts block, empty when it had an empty one.
    const std::optional<std::vector<Account>>& accounts() const noexcept { return accounts_; }

  private:
    friend class corvend::ProfileMapping;

    CustomerInfo() = default;

    std::string id_;
    std::optional<std::string> title_;
    std::string firstName_;
    std::string lastName_;
    platform::Date birthDate_;
    std::optional<std::string> nationality_;
    std::optional<Occupation> occupation_;
    std::vector<Vulnerabilities> vulnerabilities_;
    std::optional<std::string> externalID_;
    std::optional<Address> address_;
    std::optional<ContactInformation> contactInfo_;
    std::optional<std::string> type_;
    std::optional<std::vector<UserRestriction>> restrictions_;
    std::optional<std::vector<Account>> accounts_;
};

}  // namespace corvend::model
