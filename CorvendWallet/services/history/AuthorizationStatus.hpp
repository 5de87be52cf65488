#pragma once

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::model {

// The outcome of a card authorization; `unknown` for a status the kit does not know.
enum class AuthorizationStatus { approved, declined, reversed, unknown };

// Read from replies and written as the list's "status" filter; `unknown` is written as
// "UNKNOWN".
template <>
struct WireValues<AuthorizationStatus> {
    static constexpr auto table = wireValueTable(AuthorizationStatus::unknown, "UNKNOWN",
                                                 {{AuthorizationStatus::approved, "APPROVED"},
                                                  {AuthorizationStatus::declined, "DECLINED"},
                                                  {AuthorizationStatus::reversed, "REVERSED"}});
};

}  // namespace corvend::model
