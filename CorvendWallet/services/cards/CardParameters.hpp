#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "CorvendWallet/networking/HTTPQueryParam.hpp"
#include "CorvendWallet/services/cards/Card.hpp"

namespace corvend::model {

// The filter and page of a card list. Stored as given, never checked.
class CardParameters {
  public:
    CardParameters(std::optional<Card::CardType> cardType = std::nullopt,
                   std::optional<Card::CardIncludesParam> include = std::nullopt,
                   std::optional<std::int64_t> limit = std::nullopt,
                   std::optional<std::int64_t> offset = std::nullopt,
                   std::optional<std::vector<Card::CardStatus>> status = std::nullopt)
        : cardType_(cardType),
          include_(include),
          limit_(limit),
          offset_(offset),
          status_(std::move(status)) {}

    const std::optional<Card::CardType>& cardType() const noexcept { return cardType_; }
    const std::optional<Card::CardIncludesParam>& include() const noexcept { return include_; }
    const std::optional<std::int64_t>& limit() const noexcept { return limit_; }
    const std::optional<std::int64_t>& offset() const noexcept { return offset_; }
    const std::optional<std::vector<Card::CardStatus>>& status() const noexcept { return status_; }

    // One item per present field, in the order "cardType", "include", "limit", "offset",
    // "status"; the statuses are joined by "," into one item (an empty list gives an empty
    // value), `unknown` written "UNKNOWN".
    std::vector<HTTPQueryParam> queryParams() const;

  private:
    std::optional<Card::CardType> cardType_;
    std::optional<Card::CardIncludesParam> include_;
    std::optional<std::int64_t> limit_;
    std::optional<std::int64_t> offset_;
    std::optional<std::vector<Card::CardStatus>> status_;
};

// One "include" item per element, in order, repeats kept.
std::vector<HTTPQueryParam> includeQueryParams(const std::vector<Card::CardIncludesParam>& include);

}  // namespace corvend::model
