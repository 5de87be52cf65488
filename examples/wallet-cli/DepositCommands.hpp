#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/core/Wallet.hpp"
#include "examples/wallet-cli/CommandTable.hpp"

namespace corvend::cli {

// The deposit commands: `deposit options`, `deposit list`, `deposit get <id>` and
// `deposit run <amount> <currency>`, which previews a bank-transfer deposit of <amount> minor
// units, creates it and confirms it, printing each step. Kit calls are made in their
// completion form; each next step starts from the previous step's completion, on the main
// thread.
class DepositCommands : public std::enable_shared_from_this<DepositCommands> {
  public:
    // `wallet`, `out` and `err` must outlive the commands.
    static std::shared_ptr<DepositCommands> make(Wallet& wallet, std::ostream& out,
                                                 std::ostream& err);

    // Adds `deposit` to `table`; it keeps this object alive.
    void install(CommandTable& table);

    // One line for `deposit`: "deposit <id>: <amount> <currency> <option> <status>", plus the
    // redirect address when it asks for one.
    static std::string describe(const Wallet::CustomerDeposit& deposit);

    struct Passkey {};
    DepositCommands(Passkey, Wallet& wallet, std::ostream& out, std::ostream& err);

  private:
    void run(const std::vector<std::string>& arguments, CommandTable::Done done);
    void runDeposit(std::int64_t amount, std::string currency, CommandTable::Done done);
    // The completion that prints the deposit of step `step`, then calls `next` with it.
    DepositService::Completion step(std::string name, CommandTable::Done done,
                                    std::function<void(const Wallet::CustomerDeposit&)> next);
    void failed(const Error& error, const std::string& action, const CommandTable::Done& done);

    Wallet& wallet_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace corvend::cli
