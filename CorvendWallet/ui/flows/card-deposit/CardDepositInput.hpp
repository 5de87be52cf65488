#pragma once

#include <optional>
#include <string>

#include "CorvendWallet/ui/foundation/CardType.hpp"

namespace corvend {

// What the customer entered on a card screen.
struct CardDepositInput {
    std::string cardNumber;  // digits only
    std::string cvv;
    int expiryMonth = 0;
    int expiryYear = 0;  // as the expiry validator read it
    // The consent to keep the card; absent where it is not asked (a saved card).
    std::optional<bool> saveCard;
    // The customer's name for the card.
    std::optional<std::string> cardLabel;
    CardType cardType = CardType::unknown;
};

}  // namespace corvend
