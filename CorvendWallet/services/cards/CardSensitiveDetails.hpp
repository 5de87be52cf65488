#pragma once

#include <string>
#include <utility>

#include "CorvendWallet/models/CardExpiryDate.hpp"

namespace corvend {
class CardRepository;
}  // namespace corvend

namespace corvend::model {

// A card's full data. Only the kit makes it.
class CardSensitiveDetails {
  public:
    const std::string& pan() const noexcept { return pan_; }
    const std::string& cvv() const noexcept { return cvv_; }
    const CardExpiryDate& expiry() const noexcept { return expiry_; }
    const std::string& cardHolderName() const noexcept { return cardHolderName_; }

    friend bool operator==(const CardSensitiveDetails&, const CardSensitiveDetails&) = default;

  private:
    friend class corvend::CardRepository;
    CardSensitiveDetails(std::string pan, std::string cvv, CardExpiryDate expiry,
                         std::string cardHolderName)
        : pan_(std::move(pan)),
          cvv_(std::move(cvv)),
          expiry_(expiry),
          cardHolderName_(std::move(cardHolderName)) {}

    std::string pan_;
    std::string cvv_;
    CardExpiryDate expiry_;
    std::string cardHolderName_;
};

}  // namespace corvend::model
