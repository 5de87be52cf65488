#pragma once

#include <optional>
#include <string>
#include <utility>

namespace corvend::model {

// Where a physical card is sent. Made by the host for an order and read from cards; stored as
// given, never checked.
class DeliveryAddress {
  public:
    DeliveryAddress(std::string address1, std::optional<std::string> address2,
                    std::optional<std::string> address3, std::string city, std::string countryCode,
                    std::optional<std::string> state, std::string postalCode)
        : address1_(std::move(address1)),
          address2_(std::move(address2)),
          address3_(std::move(address3)),
          city_(std::move(city)),
          countryCode_(std::move(countryCode)),
          state_(std::move(state)),
          postalCode_(std::move(postalCode)) {}

    const std::string& address1() const noexcept { return address1_; }
    const std::optional<std::string>& address2() const noexcept { return address2_; }
    const std::optional<std::string>& address3() const noexcept { return address3_; }
    const std::string& city() const noexcept { return city_; }
    const std::string& countryCode() const noexcept { return countryCode_; }
    const std::optional<std::string>& state() const noexcept { return state_; }
    const std::string& postalCode() const noexcept { return postalCode_; }

    friend bool operator==(const DeliveryAddress&, const DeliveryAddress&) = default;

  private:
    std::string address1_;
    std::optional<std::string> address2_;
    std::optional<std::string> address3_;
    std::string city_;
    std::string countryCode_;
    std::optional<std::string> state_;
    std::string postalCode_;
};

}  // namespace corvend::model
