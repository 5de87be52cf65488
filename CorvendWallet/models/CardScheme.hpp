#pragma once

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::model {

// The brand of a card: of a prepaid card, a card program, a saved card instrument and the
// card option's accepted schemes.
enum class CardScheme { mastercard, visa, unknown };

// Read only: the kit never writes a scheme.
template <>
struct WireValues<CardScheme> {
    static constexpr auto table =
        wireValueTable(CardScheme::unknown, "UNKNOWN",
                       {{CardScheme::mastercard, "MC"}, {CardScheme::visa, "VISA"}});
};

}  // namespace corvend::model
