#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "CorvendWallet/models/PagingResultMeta.hpp"
#include "CorvendWallet/services/cards/Card.hpp"

namespace corvend::model {

// One page of cards, in the service's order. The list operation always fills `meta`.
class CardList {
  public:
    const std::vector<Card>& cards() const noexcept { return cards_; }
    const std::optional<PagingResultMeta>& meta() const noexcept { return meta_; }

    friend bool operator==(const CardList&, const CardList&) = default;

  private:
    friend class corvend::CardRepository;
    CardList(std::vector<Card> cards, std::optional<PagingResultMeta> meta)
        : cards_(std::move(cards)), meta_(std::move(meta)) {}

    std::vector<Card> cards_;
    std::optional<PagingResultMeta> meta_;
};

}  // namespace corvend::model
