#pragma once

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::model {

// What the host must do next with a deposit: nothing, or send the customer to its redirect
// page. A deposit record always has one; a missing or unlisted action reads as `unknown`.
enum class DepositAction { none, redirect, unknown };

template <>
struct WireValues<DepositAction> {
    static constexpr auto table =
        wireValueTable(DepositAction::unknown, "UNKNOWN",
                       {{DepositAction::none, "NONE"}, {DepositAction::redirect, "REDIRECT"}});
};

}  // namespace corvend::model
