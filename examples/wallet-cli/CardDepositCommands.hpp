#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/Cards.hpp"
#include "CorvendWallet/CorvendWallet.hpp"
#include "examples/wallet-cli/ChoiceMenu.hpp"
#include "examples/wallet-cli/CommandRun.hpp"
#include "examples/wallet-cli/CommandTable.hpp"
#include "examples/wallet-cli/LineSource.hpp"
#include "examples/wallet-cli/ScreenDriver.hpp"
#include "platform/ui/ViewController.hpp"

namespace corvend::cli {

// `card-deposit <amount> <currency> [--saved-card ID]`: previews a card deposit and runs the
// kit's card-deposit flow in the terminal as a person would (see ScreenDriver). Without
// --saved-card the customer's saved cards are offered first, beside a new card; with it, an
// instrument that is no saved card of the customer's is refused before anything is made. Ends with
// the flow's one result and what became of the deposit, read back from the service. Answers come
// from `answers`; at its end the flow is closed. Ctrl-C closes the screen shown, as "close"
// does; while a screen waits on the service it drops the flow, whose deposit is then read back;
// while the host waits on the service it stops the command (see CommandRun). Main thread.
class CardDepositCommands : public std::enable_shared_from_this<CardDepositCommands> {
  public:
    // `wallet`, `out` and `err` must outlive the commands.
    static std::shared_ptr<CardDepositCommands> make(Wallet& wallet,
                                                     std::shared_ptr<LineSource> answers,
                                                     std::ostream& out, std::ostream& err);

    // Adds `card-deposit` to `table`; it keeps this object alive.
    void install(CommandTable& table);

    // "completed", "cancelled", or "failed" before or after the card was submitted, with the
    // reason in words a person reads.
    static std::string describe(const Wallet::CardDepositResult& result);

    struct Passkey {};
    CardDepositCommands(Passkey, Wallet& wallet, std::shared_ptr<LineSource> answers,
                        std::ostream& out, std::ostream& err);
    ~CardDepositCommands();

  private:
    void run(const std::vector<std::string>& arguments, CommandTable::Done done);
    // Previews with the card of --saved-card once it is one of the customer's saved cards.
    using Instrument = PaymentInstrumentService::Instrument;
    using SavedCards = std::function<void(Result<std::vector<Instrument>>)>;
    void readSavedCards(SavedCards then);
    void checkSavedCard(const Wallet::CardDepositRequest& request);
    // Asks which saved card to pay with, or a new one, then previews.
    void offerSavedCards(const Wallet::CardDepositRequest& request);
    void askCard(std::vector<ChoiceMenu::Choice> choices);
    void preview(const Wallet::CardDepositRequest& request);
    void startFlow(const std::string& depositID);
    void finish(Wallet::CardDepositResult result);
    // Says where the deposit stands after its flow, and ends the command by it: succeeded only
    // when COMPLETED. While a step sent may still be acted on (an end unseen, a page's choice
    // unseen, a page handed back), never that nothing was charged.
    void readBack();
    // Reads the deposit `id` back after its flow, as a call of the command (see CommandRun).
    using DepositRead = std::function<void(Result<Wallet::CustomerDeposit>)>;
    void readDepositBack(const std::string& id, DepositRead then);
    void interrupted();
    // Closes `screen` as its close button does, noting a page's choice that may have gone on.
    bool close(const platform::ui::ViewControllerPtr& screen);
    // The flow goes without its end: the command was stopped.
    void dropFlow();
    void end(Outcome outcome);
    platform::ui::ViewControllerPtr topScreen() const;

    Wallet& wallet_;
    std::shared_ptr<LineSource> answers_;
    std::ostream& out_;
    std::ostream& err_;
    std::shared_ptr<ScreenDriver> driver_;
    platform::ui::ViewControllerPtr host_;
    CommandTable::Done done_;
    std::string depositID_;
    ChoiceMenu cards_;
    bool running_ = false;
    bool flowShown_ = false;
    // The flow's end was "completed", for the words of a read-back stopped by Ctrl-C.
    bool flowCompleted_ = false;
    // A page was closed while a choice made on it may have reached the service.
    bool choiceUnseen_ = false;
    // The flow ended unseen (dropped by Ctrl-C, or its last step's end not seen): a step sent
    // may still be acted on, whatever the deposit read back says.
    bool endUnseen_ = false;
    // The session's run of the command under way (see CommandRun), and the flow as its step.
    std::weak_ptr<CommandRun> run_;
    std::shared_ptr<void> commandStep_;
    std::shared_ptr<void> flowStep_;
    // Ctrl-C while the flow is shown.
    std::shared_ptr<void> interruptGuard_;
};

}  // namespace corvend::cli
