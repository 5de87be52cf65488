#pragma once

#include <atomic>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/CorvendWallet.hpp"
#include "examples/wallet-cli/CommandTable.hpp"
#include "examples/wallet-cli/LineSource.hpp"
#include "platform/ui/TextField.hpp"
#include "platform/ui/ViewController.hpp"

namespace corvend::cli {

// `card-deposit <amount> <currency> [--saved-card ID]`: previews a card deposit and runs the
// kit's card-deposit flow in the terminal as a person would: each screen's snapshot is
// printed, the empty fields are asked for one by one (an empty answer leaves a field empty),
// then the choice among the buttons that take a tap, "close" and "clear" (empties the fields).
// The 3-D Secure page is followed by the flow's web view. Ends with the flow's one result.
// Answers come from `answers`; at its end the flow is closed. Main thread.
class CardDepositCommands : public std::enable_shared_from_this<CardDepositCommands> {
  public:
    // `wallet`, `out` and `err` must outlive the commands.
    static std::shared_ptr<CardDepositCommands> make(Wallet& wallet,
                                                     std::shared_ptr<LineSource> answers,
                                                     std::ostream& out, std::ostream& err);

    // Adds `card-deposit` to `table`; it keeps this object alive.
    void install(CommandTable& table);

    // "completed", "cancelled", "terminal failure: <error>" or "non-terminal failure: <error>".
    static std::string describe(const Wallet::CardDepositResult& result);

    struct Passkey {};
    CardDepositCommands(Passkey, Wallet& wallet, std::shared_ptr<LineSource> answers,
                        std::ostream& out, std::ostream& err);
    ~CardDepositCommands();

  private:
    void run(const std::vector<std::string>& arguments, CommandTable::Done done);
    void startFlow(const std::string& depositID);
    // One look at the screen: print it when it changed, ask for input when it waits for some.
    void step();
    void askFields(std::vector<std::shared_ptr<platform::ui::TextField>> fields);
    void askChoice();
    void finish(Wallet::CardDepositResult result);
    platform::ui::ViewControllerPtr topScreen() const;
    void startTicking();

    Wallet& wallet_;
    std::shared_ptr<LineSource> answers_;
    std::ostream& out_;
    std::ostream& err_;
    platform::ui::ViewControllerPtr host_;
    CommandTable::Done done_;
    std::string shown_;
    bool asking_ = false;
    bool running_ = false;
    std::shared_ptr<std::atomic<bool>> ticking_;
};

}  // namespace corvend::cli
