#pragma once

#include <iosfwd>

#include "examples/wallet-cli/CommandTable.hpp"

namespace corvend::cli {

// `money <amount-minor-units> <currency> [locale]`: the amount as the kit's screens show it, in
// the given locale or the user's.
class MoneyCommands {
  public:
    // Adds `money` to `table`; `out` and `err` must outlive it.
    static void install(CommandTable& table, std::ostream& out, std::ostream& err);
};

}  // namespace corvend::cli
