#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/services/profile/Occupation.hpp"
#include "CorvendWallet/services/profile/Vulnerabilities.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend::model {

// A change to the customer's details, every field optional, stored as given. Part of the
// kit's interface for hosts; no operation of the kit takes it yet.
class UpdateCustomerRequest {
  public:
    // The address lines to change. It has no country: a customer's country is not changed.
    class UpdateAddressRequest {
      public:
        UpdateAddressRequest(std::optional<std::string> stateProvince,
                             std::optional<std::string> city, std::optional<std::string> postalCode,
                             std::optional<std::string> address1,
                             std::optional<std::string> address2)
            : stateProvince_(std::move(stateProvince)),
              city_(std::move(city)),
              postalCode_(std::move(postalCode)),
              address1_(std::move(address1)),
              address2_(std::move(address2)) {}

        const std::optional<std::string>& stateProvince() const noexcept { return stateProvince_; }
        const std::optional<std::string>& city() const noexcept { return city_; }
        const std::optional<std::string>& postalCode() const noexcept { return postalCode_; }
        const std::optional<std::string>& address1() const noexcept { return address1_; }
        const std::optional<std::string>& address2() const noexcept { return address2_; }

      private:
        std::optional<std::string> stateProvince_;
        std::optional<std::string> city_;
        std::optional<std::string> postalCode_;
        std::optional<std::string> address1_;
        std::optional<std::string> address2_;
    };

    UpdateCustomerRequest(std::optional<std::string> title, std::optional<std::string> firstName,
                          std::optional<std::string> lastName,
                          std::optional<platform::Date> birthDate,
                          std::optional<std::string> nationality,
                          std::optional<Occupation> occupation,
                          std::optional<std::vector<Vulnerabilities>> vulnerabilities,
                          std::optional<UpdateAddressRequest> address)
        : title_(std::move(title)),
          firstName_(std::move(firstName)),
          lastName_(std::move(lastName)),
          birthDate_(birthDate),
          nationality_(std::move(nationality)),
          occupation_(occupation),
          vulnerabilities_(std::move(vulnerabilities)),
          address_(std::move(address)) {}

    const std::optional<std::string>& title() const noexcept { return title_; }
    const std::optional<std::string>& firstName() const noexcept { return firstName_; }
    const std::optional<std::string>& lastName() const noexcept { return lastName_; }
    const std::optional<platform::Date>& birthDate() const noexcept { return birthDate_; }
    const std::optional<std::string>& nationality() const noexcept { return nationality_; }
    const std::optional<Occupation>& occupation() const noexcept { return occupation_; }
    const std::optional<std::vector<Vulnerabilities>>& vulnerabilities() const noexcept {
        return vulnerabilities_;
    }
    const std::optional<UpdateAddressRequest>& address() const noexcept { return address_; }

  private:
    std::optional<std::string> title_;
    std::optional<std::string> firstName_;
    std::optional<std::string> lastName_;
    std::optional<platform::Date> birthDate_;
    std::optional<std::string> nationality_;
    std::optional<Occupation> occupation_;
    std::optional<std::vector<Vulnerabilities>> vulnerabilities_;
    std::optional<UpdateAddressRequest> address_;
};

}  // namespace corvend::model
