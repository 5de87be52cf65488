#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/CorvendWallet.hpp"
#include "examples/wallet-cli/CommandTable.hpp"

namespace corvend::cli {

// The history commands:
//   history transactions [--limit N] [--offset N] [--from T] [--to T] [--type TYPE]
//                        [--status STATUS]
//   history transaction <id>
//   history authorizations [--limit N] [--offset N] [--from T] [--to T] [--status STATUS]
//   history authorization <id>
// T is a day ("2024-03-05", its midnight UTC) or an RFC 3339 time; TYPE and STATUS are the
// service's words ("DEPOSIT", "COMPLETED", "APPROVED"). Kit calls are made in their completion
// form and printed from the completion, on the main thread.
class HistoryCommands : public std::enable_shared_from_this<HistoryCommands> {
  public:
    // `wallet`, `out` and `err` must outlive the commands.
    static std::shared_ptr<HistoryCommands> make(Wallet& wallet, std::ostream& out,
                                                 std::ostream& err);

    // Adds `history` to `table`; it keeps this object alive.
    void install(CommandTable& table);

    // "transaction <id>: <amount> <currency> <TYPE>, <STATUS>, <time>"; minor units.
    static std::string describe(const Wallet::Transaction& transaction);
    // "authorization <id>: <amount> <currency> at <merchant> on <card>, <STATUS>, <time>".
    static std::string describe(const Wallet::Authorization& authorization);

    struct Passkey {};
    HistoryCommands(Passkey, Wallet& wallet, std::ostream& out, std::ostream& err);

  private:
    void run(const std::vector<std::string>& arguments, CommandTable::Done done);

    Wallet& wallet_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace corvend::cli
