#pragma once

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::model {

// The kind of a payment instrument.
enum class InstrumentType { sepaBankAccount, ukBankAccount, usBankAccount, card, unknown };

// "UNKNOWN" is written for `unknown`, and reads as `unknown` like any unlisted text.
template <>
struct WireValues<InstrumentType> {
    static constexpr auto table =
        wireValueTable(InstrumentType::unknown, "UNKNOWN",
                       {{InstrumentType::sepaBankAccount, "SEPA_BANK_ACCOUNT"},
                        {InstrumentType::ukBankAccount, "UK_BANK_ACCOUNT"},
                        {InstrumentType::usBankAccount, "US_BANK_ACCOUNT"},
                        {InstrumentType::card, "CARD"}});
};

}  // namespace corvend::model
