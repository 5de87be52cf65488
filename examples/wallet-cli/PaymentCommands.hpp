#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/CorvendWallet.hpp"
#include "examples/wallet-cli/CommandTable.hpp"

namespace corvend::cli {

struct PaymentStep;

// The commands of one way money moves, `deposit`, `withdrawal` or `transfer`, all alike:
//   <noun> preview <terms>        previews a record
//   <noun> create <id>            moves a previewed one to "PENDING"
//   <noun> confirm <id>           moves a created one to "PROCESSING"
//   <noun> get <id>
//   <noun> list [limit] [offset] [ref] [slipID]   filters by merchant reference and slip
//   <noun> options                the payment options (deposits and withdrawals)
// A deposit is sent only with an option the service offers (see offeredOption).
//   deposit run <terms>, transfer send <terms>: preview, create and confirm in one go, each
//   step started from the previous step's completion, for the record previewed; a reply that
//   names another record, states other terms than those asked or calls it FAILED ends the run
//   there (see step).
// The terms are "<amount> <currency>", then the option of a deposit (BANK_TRANSFER when left
// out) or of a withdrawal, or the recipient's email of a transfer, then an optional merchant
// reference. An amount, a limit and an offset must be digits only, the whole word, a whole
// number of at most 9223372036854775807 (an amount in minor units: 2500 EUR is 25.00 EUR);
// any other word is refused with an error before anything is sent. Kit calls are made in
// their completion form and printed from the completion, on the main thread.
template <class Domain>
class PaymentCommands : public std::enable_shared_from_this<PaymentCommands<Domain>> {
  public:
    // `wallet`, `out` and `err` must outlive the commands.
    static std::shared_ptr<PaymentCommands> make(Wallet& wallet, std::ostream& out,
                                                 std::ostream& err);

    // Adds the command to `table`; it keeps this object alive.
    void install(CommandTable& table);

    struct Passkey {};
    PaymentCommands(Passkey, Wallet& wallet, std::ostream& out, std::ostream& err);

  private:
    // False when the arguments are no command of this domain.
    bool start(const std::vector<std::string>& arguments, const CommandTable::Done& done);
    // Reads the payment options the service offers, then calls `send` with `terms` whose word
    // (the domain's default option when there is none) is the offered one it names, in the
    // service's case; refuses one the service does not offer, listing those it does.
    template <class Chosen, class Send>
    void offeredOption(Chosen terms, const std::string& action, const CommandTable::Done& done,
                       Send send);
    // The completion that prints what `action` gave, then calls `next` with it (or reports
    // success when there is no next step).
    template <class T>
    std::function<void(Result<T>)> printer(std::string action, CommandTable::Done done,
                                           std::function<void(const T&)> next = {});

    // The completion of a step that changes a record: goes on as printer does only when the
    // reply names the record `sent` was sent for, states its run's terms and does not call it
    // FAILED; otherwise says so, sends nothing more and ends `failed`.
    template <class Record>
    std::function<void(Result<Record>)> step(std::string action, PaymentStep sent,
                                             CommandTable::Done done,
                                             std::function<void(const Record&)> next = {});

    Wallet& wallet_;
    std::ostream& out_;
    std::ostream& err_;
};

struct Deposits;
struct Withdrawals;
struct Transfers;
using DepositCommands = PaymentCommands<Deposits>;
using WithdrawalCommands = PaymentCommands<Withdrawals>;
using TransferCommands = PaymentCommands<Transfers>;
extern template class PaymentCommands<Deposits>;
extern template class PaymentCommands<Withdrawals>;
extern template class PaymentCommands<Transfers>;

}  // namespace corvend::cli
