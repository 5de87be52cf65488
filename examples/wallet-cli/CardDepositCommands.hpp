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
// kit's card-deposit flow in the terminal as a person would. Each screen is printed when it
// settles; while it works (a spinner, a button loading, a page loading) nothing is asked. On a
// new screen its empty fields are asked for in the order the screen shows them (an empty answer
// leaves a field empty, "close" closes the screen); the screen is shown again, then the choice
// among everything a person could tap: buttons (image-only ones named by what they show), the
// checkbox, the links of the texts and of a web page, the bar buttons, "edit <field>" to type
// one field again, "close" and "clear" (empties the editable fields). Ends with the flow's one
// result. Answers come from `answers`; at its end the flow is closed. Main thread.
class CardDepositCommands : public std::enable_shared_from_this<CardDepositCommands> {
  public:
    // `wallet`, `out` and `err` must outlive the commands.
    static std::shared_ptr<CardDepositCommands> make(Wallet& wallet,
                                                     std::shared_ptr<LineSource> answers,
                                                     std::ostream& out, std::ostream& err);

    // Adds `card-deposit` to `table`; it keeps this object alive.
    void install(CommandTable& table);

    // "completed", "cancelled", "terminal failure: <reason>" or "non-terminal failure:
    // <reason>", the reason in words a person reads.
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
    void askChoice(const platform::ui::ViewControllerPtr& screen);
    // Taps the screen's close (its ✕ bar button, else its left bar button).
    void close(const platform::ui::ViewControllerPtr& screen);
    void finish(Wallet::CardDepositResult result);
    void end(bool succeeded);
    platform::ui::ViewControllerPtr topScreen() const;
    void startTicking();

    Wallet& wallet_;
    std::shared_ptr<LineSource> answers_;
    std::ostream& out_;
    std::ostream& err_;
    platform::ui::ViewControllerPtr host_;
    CommandTable::Done done_;
    std::string depositID_;
    std::string shown_;
    bool asking_ = false;
    // The screens whose fields were asked for; their next question is the choice.
    std::vector<std::weak_ptr<platform::ui::ViewController>> fieldsAsked_;
    bool running_ = false;
    std::shared_ptr<std::atomic<bool>> ticking_;
};

}  // namespace corvend::cli
