#pragma once

#include <string>
#include <utility>

namespace corvend::model {

// The proof that the customer holds the card; sent unchecked, the service judges it.
class CardActivationRequest {
  public:
    CardActivationRequest(std::string lastFourDigits, std::string cvv)
        : lastFourDigits_(std::move(lastFourDigits)), cvv_(std::move(cvv)) {}

    const std::string& lastFourDigits() const noexcept { return lastFourDigits_; }
    const std::string& cvv() const noexcept { return cvv_; }

  private:
    std::string lastFourDigits_;
    std::string cvv_;
};

}  // namespace corvend::model
