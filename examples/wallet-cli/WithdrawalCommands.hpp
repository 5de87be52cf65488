#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/core/Wallet.hpp"
#include "examples/wallet-cli/CommandTable.hpp"

namespace corvend::cli {

// The withdrawal commands: `withdrawal options`, `withdrawal preview <amount> <currency>
// <option> [merchantRef]`, `withdrawal create <id>`, `withdrawal confirm <id>`,
// `withdrawal list [limit] [offset]` and `withdrawal get <id>`. Kit calls are made in their
// completion form and printed from the completion, on the main thread.
class WithdrawalCommands : public std::enable_shared_from_this<WithdrawalCommands> {
  public:
    // `wallet`, `out` and `err` must outlive the commands.
    static std::shared_ptr<WithdrawalCommands> make(Wallet& wallet, std::ostream& out,
                                                    std::ostream& err);

    // Adds `withdrawal` to `table`; it keeps this object alive.
    void install(CommandTable& table);

    // "withdrawal <id>: <amount> <currency> by <option>, <STATUS>" and its fees, amounts in
    // minor units.
    static std::string describe(const Wallet::Withdrawal& withdrawal);

    struct Passkey {};
    WithdrawalCommands(Passkey, Wallet& wallet, std::ostream& out, std::ostream& err);

  private:
    void run(const std::vector<std::string>& arguments, CommandTable::Done done);
    bool start(const std::vector<std::string>& arguments, CommandTable::Done& done);
    template <class T>
    std::function<void(Result<T>)> printer(std::string action, CommandTable::Done done);

    Wallet& wallet_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace corvend::cli
