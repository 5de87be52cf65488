#pragma once

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::model {

// The key of a payment property.
enum class PaymentPropertyKey { cardCVV, cardSaveInstrument, unknown };

// A missing key reads as `unknown`, never as an absent key. `unknown` is written as "UNKNOWN".
template <>
struct WireValues<PaymentPropertyKey> {
    static constexpr auto table =
        wireValueTable(PaymentPropertyKey::unknown, "UNKNOWN",
                       {{PaymentPropertyKey::cardCVV, "CARD_CVV"},
                        {PaymentPropertyKey::cardSaveInstrument, "CARD_SAVE_INSTRUMENT"}});
};

}  // namespace corvend::model
