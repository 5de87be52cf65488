#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/models/CardScheme.hpp"
#include "CorvendWallet/services/cards/Card.hpp"

namespace corvend::model {

// A card program under which cards can be issued. Only the kit makes it; the card type may be
// changed by the host.
class Program {
  public:
    Card::CardType cardType() const noexcept { return cardType_; }
    void setCardType(Card::CardType cardType) noexcept { cardType_ = cardType; }
    CardScheme scheme() const noexcept { return scheme_; }
    const std::string& name() const noexcept { return name_; }
    const std::vector<std::string>& currencies() const noexcept { return currencies_; }
    std::int64_t allowableCards() const noexcept { return allowableCards_; }
    bool isDigital() const noexcept { return isDigital_; }

    friend bool operator==(const Program&, const Program&) = default;

  private:
    friend class corvend::CardRepository;
    Program(Card::CardType cardType, CardScheme scheme, std::string name,
            std::vector<std::string> currencies, std::int64_t allowableCards, bool isDigital)
        : cardType_(cardType),
          scheme_(scheme),
          name_(std::move(name)),
          currencies_(std::move(currencies)),
          allowableCards_(allowableCards),
          isDigital_(isDigital) {}

    Card::CardType cardType_;
    CardScheme scheme_;
    std::string name_;
    std::vector<std::string> currencies_;
    std::int64_t allowableCards_;
    bool isDigital_;
};

}  // namespace corvend::model
