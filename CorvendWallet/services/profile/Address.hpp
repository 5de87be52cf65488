#pragma once

#include <optional>
#include <string>
#include <utility>

namespace corvend::model {

// A postal address: the customer's, as the service reports it, or one a host builds. Stored as
// given, unchecked.
class Address {
  public:
    Address(std::string countryCode, std::optional<std::string> stateProvince, std::string city,
            std::string postalCode, std::string address1, std::optional<std::string> address2)
        : countryCode_(std::move(countryCode)),
          stateProvince_(std::move(stateProvince)),
          city_(std::move(city)),
          postalCode_(std::move(postalCode)),
          address1_(std::move(address1)),
          address2_(std::move(address2)) {}

    const std::string& countryCode() const noexcept { return countryCode_; }
    const std::optional<std::string>& stateProvince() const noexcept { return stateProvince_; }
    const std::string& city() const noexcept { return city_; }
    const std::string& postalCode() const noexcept { return postalCode_; }
    const std::string& address1() const noexcept { return address1_; }
    const std::optional<std::string>& address2() const noexcept { return address2_; }

    // Field by field: an absent second line differs from an empty one.
    friend bool operator==(const Address&, const Address&) = default;

  private:
    std::string countryCode_;
    std::optional<std::string> stateProvince_;
    std::string city_;
    std::string postalCode_;
    std::string address1_;
    std::optional<std::string> address2_;
};

}  // namespace corvend::model
