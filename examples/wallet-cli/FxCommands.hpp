#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/CorvendWallet.hpp"
#include "CorvendWallet/Money.hpp"
#include "examples/wallet-cli/CommandTable.hpp"

namespace corvend::cli {

// The currency-exchange commands: `fx quote <from> <to>` asks for a new quote and
// `fx get <id>` reads one back; both print the quote with its rate exactly as the service sent
// it. Kit calls are made in their completion form and printed from the completion, on the main
// thread.
class FxCommands : public std::enable_shared_from_this<FxCommands> {
  public:
    // `wallet`, `out` and `err` must outlive the commands.
    static std::shared_ptr<FxCommands> make(Wallet& wallet, std::ostream& out, std::ostream& err);

    // Adds `fx` to `table`; it keeps this object alive.
    void install(CommandTable& table);

    // The lines printed for `rate`: "quote <id>: 1 <from> = <rate> <to>", then its times.
    static std::string describe(const Wallet::FXRate& rate);

    struct Passkey {};
    FxCommands(Passkey, Wallet& wallet, std::ostream& out, std::ostream& err);

  private:
    void run(const std::vector<std::string>& arguments, CommandTable::Done done);
    CurrencyExchangeService::Completion printer(std::string action, CommandTable::Done done);

    Wallet& wallet_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace corvend::cli
