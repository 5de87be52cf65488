#pragma once

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::model {

// How money enters or leaves the wallet: the option of a deposit or withdrawal, an entry of
// the payment-options list, and the filter of an instrument query.
enum class PaymentOptionType { velnoTransfer, bankTransfer, card, offlineBankTransfer, unknown };

// Matched whole: "BANK_TRANSFER" never reads as the offline option. `unknown` is written as
// "UNKNOWN".
template <>
struct WireValues<PaymentOptionType> {
    static constexpr auto table =
        wireValueTable(PaymentOptionType::unknown, "UNKNOWN",
                       {{PaymentOptionType::velnoTransfer, "VELNO_TRANSFER"},
                        {PaymentOptionType::bankTransfer, "BANK_TRANSFER"},
                        {PaymentOptionType::card, "CARD"},
                        {PaymentOptionType::offlineBankTransfer, "OFFLINE_BANK_TRANSFER"}});
};

}  // namespace corvend::model
