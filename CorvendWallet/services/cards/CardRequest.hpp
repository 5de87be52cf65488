#pragma once

#include <optional>
#include <string>
#include <utility>

#include "CorvendWallet/services/cards/DeliveryAddress.hpp"

namespace corvend::model {

// The order of a new card. Stored as given, never checked.
class CardRequest {
  public:
    CardRequest(std::string programName, std::string currency,
                std::optional<std::string> mobile = std::nullopt,
                std::optional<std::string> cardPin = std::nullopt,
                std::optional<std::string> externalID = std::nullopt,
                std::optional<DeliveryAddress> deliveryAddress = std::nullopt,
                std::optional<bool> termsAndConditionsAccepted = std::nullopt,
                std::optional<bool> eDisclosureAccepted = std::nullopt)
        : programName_(std::move(programName)),
          currency_(std::move(currency)),
          mobile_(std::move(mobile)),
          cardPin_(std::move(cardPin)),
          externalID_(std::move(externalID)),
          deliveryAddress_(std::move(deliveryAddress)),
          termsAndConditionsAccepted_(termsAndConditionsAccepted),
          eDisclosureAccepted_(eDisclosureAccepted) {}

    const std::string& programName() const noexcept { return programName_; }
    const std::string& currency() const noexcept { return currency_; }
    const std::optional<std::string>& mobile() const noexcept { return mobile_; }
    const std::optional<std::string>& cardPin() const noexcept { return cardPin_; }
    const std::optional<std::string>& externalID() const noexcept { return externalID_; }
    const std::optional<DeliveryAddress>& deliveryAddress() const noexcept {
        return deliveryAddress_;
    }
    const std::optional<bool>& termsAndConditionsAccepted() const noexcept {
        return termsAndConditionsAccepted_;
    }
    const std::optional<bool>& eDisclosureAccepted() const noexcept { return eDisclosureAccepted_; }

  private:
    std::string programName_;
    std::string currency_;
    std::optional<std::string> mobile_;
    std::optional<std::string> cardPin_;
    std::optional<std::string> externalID_;
    std::optional<DeliveryAddress> deliveryAddress_;
    std::optional<bool> termsAndConditionsAccepted_;
    std::optional<bool> eDisclosureAccepted_;
};

}  // namespace corvend::model
