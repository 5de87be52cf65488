#pragma once

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::model {

// What moved money in a transaction: the kind of payment behind it; `unknown` for a kind the
// kit does not know.
enum class TransactionType { deposit, withdrawal, transfer, unknown };

// Read from replies and written as the list's "type" filter; `unknown` is written as
// "UNKNOWN".
template <>
struct WireValues<TransactionType> {
    static constexpr auto table = wireValueTable(TransactionType::unknown, "UNKNOWN",
                                                 {{TransactionType::deposit, "DEPOSIT"},
                                                  {TransactionType::withdrawal, "WITHDRAWAL"},
                                                  {TransactionType::transfer, "TRANSFER"}});
};

}  // namespace corvend::model
