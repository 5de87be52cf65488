#pragma once

#include <optional>
#include <string>
#include <utility>

namespace corvend::model {

// The card whose secure details a screen shows, and the page's language (passed through).
class CardSecureDetailsRequest {
  public:
    explicit CardSecureDetailsRequest(std::string cardID,
                                      std::optional<std::string> language = std::nullopt)
        : cardID_(std::move(cardID)), language_(std::move(language)) {}

    const std::string& cardID() const noexcept { return cardID_; }
    const std::optional<std::string>& language() const noexcept { return language_; }

  private:
    std::string cardID_;
    std::optional<std::string> language_;
};

}  // namespace corvend::model
