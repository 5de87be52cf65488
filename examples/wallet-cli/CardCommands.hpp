#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/CorvendWallet.hpp"
#include "examples/wallet-cli/CommandTable.hpp"

namespace corvend::cli {

// The prepaid-card commands:
//   cards programs
//   cards list [STATUS,STATUS...]
//   cards issue <program> <currency>        remembers the new card as "last"
//   cards get <card|last> [tokenizations]
//   cards update <card|last> <STATUS> [reason...]   the rest of the line, or a quoted text
//   cards activate <card|last> <lastFour> <cvv>
//   cards details <card|last>
//   cards tokenize <card|last>              the default wallet type, no certificates
// Kit calls are made in their completion form and printed from the completion, on the main
// thread.
class CardCommands : public std::enable_shared_from_this<CardCommands> {
  public:
    // `wallet`, `out` and `err` must outlive the commands.
    static std::shared_ptr<CardCommands> make(Wallet& wallet, std::ostream& out, std::ostream& err);

    // Adds `cards` to `table`; it keeps this object alive.
    void install(CommandTable& table);

    // The lines printed for a card: "card <id> <STATUS> <TYPE> <program> <currency> ...".
    static std::string describe(const Wallet::Card& card);

    struct Passkey {};
    CardCommands(Passkey, Wallet& wallet, std::ostream& out, std::ostream& err);

  private:
    // False when the arguments are no card command.
    bool start(const std::vector<std::string>& arguments, const CommandTable::Done& done);
    // The completion that prints what `action` gave through `describe`.
    template <class T>
    std::function<void(Result<T>)> printer(std::string action, CommandTable::Done done,
                                           std::function<std::string(const T&)> describe);
    // Issues a card of the program the service names `program`, in either case; refuses a name
    // it does not list, listing those it does.
    void issue(const std::string& program, const std::string& currency,
               const CommandTable::Done& done);
    // The card a word names: "last" is the card issued last in this session; throws
    // std::invalid_argument when none was.
    std::string card(const std::string& word) const;

    Wallet& wallet_;
    std::ostream& out_;
    std::ostream& err_;
    std::string last_;  // the card issued last; used on the main thread only
};

}  // namespace corvend::cli
