#pragma once

#include <optional>
#include <string>
#include <utility>

#include "CorvendWallet/services/cards/Card.hpp"

namespace corvend::model {

// A change of a card; each part is sent only when present (an empty change is sent too).
class CardUpdateRequest {
  public:
    CardUpdateRequest(std::optional<Card::CardStatus> status = std::nullopt,
                      std::optional<std::string> statusReason = std::nullopt,
                      std::optional<std::string> pin = std::nullopt)
        : status_(status), statusReason_(std::move(statusReason)), pin_(std::move(pin)) {}

    const std::optional<Card::CardStatus>& status() const noexcept { return status_; }
    const std::optional<std::string>& statusReason() const noexcept { return statusReason_; }
    const std::optional<std::string>& pin() const noexcept { return pin_; }

  private:
    std::optional<Card::CardStatus> status_;
    std::optional<std::string> statusReason_;
    std::optional<std::string> pin_;
};

}  // namespace corvend::model
