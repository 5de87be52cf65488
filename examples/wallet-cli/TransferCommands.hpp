#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/core/Wallet.hpp"
#include "examples/wallet-cli/CommandTable.hpp"

namespace corvend::cli {

// The transfer commands: `transfer send <amount> <currency> <email>` previews, creates and
// confirms a transfer (each step started from the previous one's completion), `transfer list`
// prints the first page and `transfer get <id>` one transfer. Printed on the main thread.
class TransferCommands : public std::enable_shared_from_this<TransferCommands> {
  public:
    // `wallet`, `out` and `err` must outlive the commands.
    static std::shared_ptr<TransferCommands> make(Wallet& wallet, std::ostream& out,
                                                  std::ostream& err);

    // Adds `transfer` to `table`; it keeps this object alive.
    void install(CommandTable& table);

    // "transfer <id>: <amount> <currency> to <recipient>, <STATUS>".
    static std::string describe(const Wallet::CustomerTransfer& transfer);

    struct Passkey {};
    TransferCommands(Passkey, Wallet& wallet, std::ostream& out, std::ostream& err);

  private:
    void run(const std::vector<std::string>& arguments, CommandTable::Done done);
    void send(std::int64_t amount, std::string currency, std::string email,
              CommandTable::Done done);
    // Reports a failure of `step`; true when `result` holds a value.
    template <class T>
    bool succeeded(const Result<T>& result, const char* step, const CommandTable::Done& done);

    Wallet& wallet_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace corvend::cli
