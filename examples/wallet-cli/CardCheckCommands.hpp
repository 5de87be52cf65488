#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "CorvendWallet/CorvendWallet.hpp"
#include "examples/wallet-cli/CommandTable.hpp"

namespace corvend::cli {

// `card check <number> [expiry] [cvv]`: the kit's card checks as its card screens make them,
// for a deposit that accepts Mastercard and Visa. Prints the brand, the masked number and each
// validator's answer, the expiry date as the form holds it after the same keys ("1230" is
// 12/30); ends `succeeded` when every answer is valid, `failed` otherwise, and `misused` for a
// date of digits that the form would not hold as typed ("12/2030").
class CardCheckCommands {
  public:
    // Adds `card` to `table`; `out` and `err` must outlive it.
    static void install(CommandTable& table, std::ostream& out, std::ostream& err);

    struct Answers {
        // The lines printed for the arguments of `card check`.
        std::string lines;
        // Whether the number, and the expiry date and code when given, are valid.
        bool valid = true;
    };
    // Throws std::invalid_argument for such a date.
    static Answers check(const std::vector<std::string>& arguments);
};

}  // namespace corvend::cli
