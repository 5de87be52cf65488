#include "examples/wallet-cli/CardDepositCommands.hpp"

#include <algorithm>
#include <ostream>
#include <utility>

#include "CorvendWallet/CardDeposit.hpp"
#include "CorvendWallet/Cards.hpp"
#include "CorvendWallet/Money.hpp"
#include "examples/wallet-cli/CommandRun.hpp"
#include "examples/wallet-cli/CommandWords.hpp"
#include "examples/wallet-cli/Interruptions.hpp"
#include "examples/wallet-cli/TerminalText.hpp"
#include "examples/wallet-cli/UnseenEnd.hpp"
#include "platform/ui/NavigationController.hpp"

namespace corvend::cli {

namespace {

// The flow ended on a step whose end was not seen: it may have reached the service.
bool stepUnseen(const Wallet::CardDepositResult& result) {
    using Result = Wallet::CardDepositResult;
    if (const auto* terminal = std::get_if<Result::TerminalFailure>(&result.value)) {
        // The flow's only words beyond its case: a step's reply named another deposit, and
        // said nothing of how the step for its own ended.
        const auto flow = terminal->error.as<Wallet::CardDepositError>();
        return endUnseen(terminal->error) || (flow && flow->detail());
    }
    if (const auto* failure = std::get_if<Result::NonTerminalFailure>(&result.value))
        return endUnseen(failure->error);
    return false;
}

// A saved card as a person picks it: its name (else its number), then what tells it apart.
ChoiceMenu::Choice savedCardChoice(const std::string& id,
                                   const Wallet::CardPaymentInstrument& card) {
    std::string detail = card.description() ? card.pan() + ", " : "";
    detail += "expires " + expiryText(card.expiryDate()) + ", " + id;
    return {.target = id, .name = card.description().value_or(card.pan()), .detail = detail};
}

}  // namespace

std::shared_ptr<CardDepositCommands> CardDepositCommands::make(Wallet& wallet,
                                                               std::shared_ptr<LineSource> answers,
                                                               std::ostream& out,
                                                               std::ostream& err) {
    return std::make_shared<CardDepositCommands>(Passkey{}, wallet, std::move(answers), out, err);
}

CardDepositCommands::CardDepositCommands(Passkey, Wallet& wallet,
                                         std::shared_ptr<LineSource> answers, std::ostream& out,
                                         std::ostream& err)
    : wallet_(wallet), answers_(std::move(answers)), out_(out), err_(err) {}

CardDepositCommands::~CardDepositCommands() {
    if (driver_) driver_->stop();
}

void CardDepositCommands::install(CommandTable& table) {
    table.add({.name = "card-deposit",
               .usage = "<amount> <currency> [--saved-card ID]",
               .summary = "deposit with a card through the kit's screens",
               .meanings = {{"<amount>",
                             "in the currency's major units: 25 or 25.50 EUR, 2500 "
                             "JPY"},
                            {"<currency>", "a currency code in either case (EUR, usd)"},
                            {"--saved-card ID",
                             "pay with this saved card of the customer's "
                             "('instruments list CARD' lists them) without "
                             "being asked"}},
               .minArguments = 2,
               .maxArguments = 4,
               .handler = [self = shared_from_this()](const std::vector<std::string>& arguments,
                                                      CommandTable::Done done) {
                   self->run(arguments, std::move(done));
               }});
}

std::string CardDepositCommands::describe(const Wallet::CardDepositResult& result) {
    using Result = Wallet::CardDepositResult;
    // The flow's own errors in words; any other error reads as itself.
    const auto reason = [](const Error& error) {
        if (const auto flow = error.as<Wallet::CardDepositError>()) {
            // A detail names what the service sent (another deposit's id): its words, escaped.
            if (const std::string* detail = flow->detail()) return TerminalText::inLine(*detail);
            return std::string(
                flow->value() == Wallet::CardDepositError::failedToLoadAcceptedCardsError
                    ? "the service named no card scheme these screens accept"
                    : "the service sent something the card-deposit screens cannot use (for "
                      "example a saved instrument that is not a card)");
        }
        return descriptionText(error);
    };
    if (result.isCompleted()) return "completed";
    if (result.isCancelled()) return "cancelled";
    const auto* terminal = std::get_if<Result::TerminalFailure>(&result.value);
    const Error& error =
        terminal ? terminal->error : std::get<Result::NonTerminalFailure>(result.value).error;
    // Not seen to fail: the read-back that follows says where the deposit stands.
    if (stepUnseen(result))
        return "unknown: its last step may have reached the service (" + unseenReason(error) + ")" +
               errorIDLine(error);
    if (terminal)
        return "failed after the card was submitted (check the deposit before trying again): " +
               reason(error);
    return "failed before any card was submitted: " + reason(error);
}

void CardDepositCommands::run(const std::vector<std::string>& arguments, CommandTable::Done done) {
    if (running_) {
        err_ << "card-deposit: a card deposit is running already" << std::endl;
        done(Outcome::failed);
        return;
    }
    const std::string currency = currencyCode(arguments[1]);
    Wallet::CardDepositRequest request{.amount = amountIn(arguments[0], currency),
                                       .currencyCode = currency};
    if (arguments.size() == 4 && arguments[2] == "--saved-card") {
        request.paymentInstrumentReference =
            Wallet::PaymentInstrumentReference{arguments[3], Wallet::InstrumentType::card};
    } else if (arguments.size() != 2) {
        err_ << "usage: card-deposit <amount> <currency> [--saved-card ID]" << std::endl;
        done(Outcome::misused);
        return;
    }
    running_ = true;
    done_ = std::move(done);
    depositID_.clear();
    choiceUnseen_ = false;
    endUnseen_ = false;
    run_ = CommandRun::current();
    if (const auto run = run_.lock()) {
        // Stopped, the command goes as it stands: its flow without an end, and no end told.
        commandStep_ = run->step([weakSelf = weak_from_this()] {
            const auto self = weakSelf.lock();
            if (!self) return;
            if (self->flowShown_) self->dropFlow();
            self->running_ = false;
            self->done_ = nullptr;
        });
    }
    if (request.paymentInstrumentReference) return checkSavedCard(request);
    offerSavedCards(request);
}

void CardDepositCommands::readSavedCards(SavedCards then) {
    Wallet::PaymentInstrumentsParameters filter;
    filter.instrumentType = Wallet::InstrumentType::card;
    call([service = wallet_.paymentInstrumentService(), filter] { return service->getAll(filter); },
         std::move(then));
}

void CardDepositCommands::checkSavedCard(const Wallet::CardDepositRequest& request) {
    readSavedCards([self = shared_from_this(), request](Result<std::vector<Instrument>> saved) {
        if (!saved) {
            self->err_ << "card-deposit failed: the saved cards could not be read: "
                       << errorText(saved.error()) << std::endl;
            return self->end(Outcome::failed);
        }
        const std::string& id = request.paymentInstrumentReference->id;
        const bool known = std::ranges::any_of(*saved, [&id](const auto& instrument) {
            return instrument->id() == id &&
                   instrument->template as<Wallet::CardPaymentInstrument>() != nullptr;
        });
        if (!known) {
            // Else the deposit would be made first and the flow fail on the instrument.
            self->err_ << "card-deposit: " << id
                       << " is not one of your saved cards: 'instruments list CARD' lists "
                          "them"
                       << std::endl;
            return self->end(Outcome::misused);
        }
        self->preview(request);
    });
}

void CardDepositCommands::offerSavedCards(const Wallet::CardDepositRequest& request) {
    readSavedCards([self = shared_from_this(), request](Result<std::vector<Instrument>> saved) {
        // The cards offered are kept in cards_: what they do holds this object weakly.
        const auto weakSelf = self->weak_from_this();
        if (!saved) {
            self->err_ << "saved cards could not be read (" << messageText(saved.error())
                       << "): paying with a new card" << errorIDLine(saved.error()) << std::endl;
            return self->preview(request);
        }
        std::vector<ChoiceMenu::Choice> choices;
        for (const auto& instrument : *saved) {
            const auto* card = instrument->as<Wallet::CardPaymentInstrument>();
            if (card == nullptr || !instrument->id()) continue;
            auto choice = savedCardChoice(*instrument->id(), *card);
            auto paying = request;
            paying.paymentInstrumentReference =
                Wallet::PaymentInstrumentReference{*instrument->id(), Wallet::InstrumentType::card};
            choice.act = [weakSelf, paying] {
                if (const auto self = weakSelf.lock()) self->preview(paying);
            };
            choices.push_back(std::move(choice));
        }
        if (choices.empty()) return self->preview(request);
        choices.push_back({.name = "new card", .act = [weakSelf, request] {
                               if (const auto self = weakSelf.lock()) self->preview(request);
                           }});
        self->cards_ = ChoiceMenu();
        self->askCard(std::move(choices));
    });
}

void CardDepositCommands::askCard(std::vector<ChoiceMenu::Choice> choices) {
    cards_.show(out_, "pay with:", choices, "close");
    answers_->next([weakSelf = weak_from_this(),
                    choices = std::move(choices)](std::optional<std::string> answer) mutable {
        const auto self = weakSelf.lock();
        if (!self) return;
        Interruptions::shared().answered();
        if (!answer || ChoiceMenu::isClose(*answer)) {
            self->out_ << "card-deposit closed before a card was chosen: nothing was deposited"
                       << std::endl;
            return self->end(Outcome::failed);
        }
        // "help" lists the cards again.
        if (ChoiceMenu::isWord(*answer, "help") ||
            self->cards_.choose(self->out_, *answer) != ChoiceMenu::Answer::chosen)
            self->askCard(std::move(choices));
    });
}

void CardDepositCommands::preview(const Wallet::CardDepositRequest& request) {
    call([service = wallet_.cardDepositService(), request] { return service->preview(request); },
         [self = shared_from_this(), request](Result<Wallet::CustomerDeposit> deposit) {
             if (!deposit) {
                 self->err_ << "card deposit preview failed: " << errorText(deposit.error())
                            << std::endl;
                 return self->end(Outcome::failed);
             }
             self->out_ << "card deposit " << TerminalText::inLine(deposit->id())
                        << " previewed: " << moneyText(deposit->amount(), deposit->currencyCode())
                        << std::endl;
             // No card is asked for on other terms than those the person gave.
             if (deposit->amount() != request.amount ||
                 deposit->currencyCode() != request.currencyCode) {
                 self->err_ << "card-deposit stopped: " +
                                   otherTermsText(
                                       "the preview", "deposit", deposit->id(),
                                       termsText(deposit->amount(), deposit->currencyCode()),
                                       termsText(request.amount, request.currencyCode),
                                       "is a preview only: no card was asked for")
                            << std::endl;
                 return self->end(Outcome::failed);
             }
             self->depositID_ = deposit->id();
             const std::string id = TerminalText::inLine(deposit->id());
             CommandRun::changed("card deposit " + id, "previewed", "deposit get " + id);
             self->startFlow(deposit->id());
         },
         "the card deposit may have been made " + asNewestOf("deposit list"));
}

void CardDepositCommands::startFlow(const std::string& depositID) {
    if (const auto run = CommandRun::current()) {
        // Stopped while the flow waits on the service, the flow goes (see commandStep_).
        const std::string id = TerminalText::inLine(depositID);
        flowStep_ =
            run->step(nullptr, mayHaveReached("card deposit " + id + " exists; its step under way",
                                              "deposit get " + id));
        if (!flowStep_) return;
        interruptGuard_ = Interruptions::shared().take([weakSelf = weak_from_this()] {
            if (const auto self = weakSelf.lock()) self->interrupted();
        });
    }
    host_ = std::make_shared<platform::ui::ViewController>();
    host_->view();
    flowShown_ = true;
    wallet_.cardDepositService()->start(
        depositID, host_, guarded([weakSelf = weak_from_this()](Wallet::CardDepositResult result) {
            if (const auto self = weakSelf.lock()) self->finish(std::move(result));
        }));
    if (!driver_) driver_ = ScreenDriver::make(answers_, out_);
    driver_->start({.top = [weakSelf = weak_from_this()]() -> platform::ui::ViewControllerPtr {
                        const auto self = weakSelf.lock();
                        return self ? self->topScreen() : nullptr;
                    },
                    .close =
                        [weakSelf = weak_from_this()](const auto& screen) {
                            if (const auto self = weakSelf.lock()) self->close(screen);
                        }});
}

bool CardDepositCommands::close(const platform::ui::ViewControllerPtr& screen) {
    // A page closed after its link was followed may have passed on the person's choice.
    if (pageChoiceUnseen(screen->view())) choiceUnseen_ = true;
    return ScreenDriver::tapClose(screen);
}

platform::ui::ViewControllerPtr CardDepositCommands::topScreen() const {
    // The flow's navigation, then whatever is presented over it (a hint sheet is presented on
    // the navigation controller, itself often a navigation controller): the top of the top.
    auto screen = host_->presentedViewController();
    while (screen) {
        if (const auto presented = screen->presentedViewController()) {
            screen = presented;
        } else if (const auto navigation =
                       std::dynamic_pointer_cast<platform::ui::NavigationController>(screen)) {
            auto top = navigation->topViewController();
            if (!top) return nullptr;
            if (const auto presented = top->presentedViewController();
                presented && presented != screen) {
                screen = presented;
                continue;
            }
            return top;
        } else {
            return screen;
        }
    }
    return nullptr;
}

void CardDepositCommands::interrupted() {
    // A screen a person could close now (a page loading too) is closed, as "close" does: the
    // flow ends, and what it left is read back. One whose call to the service is under way
    // would close only once that call ends: the flow is dropped instead; before the flow, the
    // command is stopped.
    if (const auto screen = flowShown_ ? topScreen() : nullptr;
        screen && !ScreenDriver::waitsOnService(screen) && close(screen))
        return;
    if (!flowShown_) {
        if (const auto run = run_.lock()) run->stop();
        return;
    }
    // The deposit exists: the flow goes, its step under way cancelled, and the deposit read
    // back says where it stands.
    dropFlow();
    flowStep_.reset();
    flowCompleted_ = false;
    endUnseen_ = true;
    out_ << "card deposit result: unknown: Ctrl-C stopped it while its last step may have reached "
            "the service"
         << std::endl;
    readBack();
}

void CardDepositCommands::dropFlow() {
    if (driver_) driver_->stop();
    interruptGuard_.reset();
    flowShown_ = false;
    // Released with its screens, whose calls are cancelled as they go.
    host_->dismiss(false);
}

void CardDepositCommands::finish(Wallet::CardDepositResult result) {
    if (!flowShown_) return;  // dropped
    if (driver_) driver_->stop();
    interruptGuard_.reset();
    flowStep_.reset();
    flowShown_ = false;
    flowCompleted_ = result.isCompleted();
    endUnseen_ = stepUnseen(result);
    // Closed only after the page may have passed on a choice: not cancelled, but unknown.
    if (!flowCompleted_) {
        out_ << "card deposit result: "
             << (result.isCancelled() && choiceUnseen_
                     ? "unknown: the choice made on its 3-D Secure page may have reached the "
                       "service"
                     : describe(result))
             << std::endl;
    }
    readBack();
}

void CardDepositCommands::readBack() {
    // "Cancelled", "unknown" or "completed" says how the screens ended, not what the service
    // holds; the deposit read back does, and says whether the command did what it was asked.
    readDepositBack(depositID_, [self =
                                     shared_from_this()](Result<Wallet::CustomerDeposit> deposit) {
        // A completed flow is the money gone only once its deposit reads COMPLETED.
        const std::string finished = self->flowCompleted_ ? "card-deposit flow finished; " : "";
        if (!deposit && self->flowCompleted_) {
            self->out_ << "card-deposit flow finished" << std::endl;
            self->err_ << "card deposit read-back failed: " << descriptionText(deposit.error())
                       << std::endl;
            return self->end(Outcome::failed);
        }
        if (!deposit) {
            self->err_ << "deposit " << TerminalText::inLine(self->depositID_)
                       << " could not be read back: " << errorText(deposit.error()) << std::endl;
            return self->end(Outcome::failed);
        }
        using Status = Wallet::PaymentStatus;
        const auto status = deposit->status();
        const std::string id = TerminalText::inLine(deposit->id());
        // Said should this output be lost: where the deposit stood once its flow ended.
        CommandRun::changed("card deposit " + id,
                            "read back " + std::string(model::toWireValue(status)),
                            "deposit get " + id);
        if (self->flowCompleted_ && status == Status::failed) {
            // The flow completed, the deposit did not: said as one, so it reads right.
            self->out_ << finished << "deposit " << id << " FAILED";
            if (deposit->statusReason())
                self->out_ << ": " << TerminalText::inLine(*deposit->statusReason());
            self->out_ << std::endl;
            return self->end(Outcome::failed);
        }
        // A step the service received may still be acted on (a charge can land seconds later),
        // and a page hands back before the service has settled: the status read is then no end.
        const bool mayLand = (self->endUnseen_ || self->choiceUnseen_ || self->flowCompleted_) &&
                             (status == Status::preview || status == Status::pending ||
                              status == Status::processing || status == Status::redirection);
        if (self->flowCompleted_ && status == Status::completed) {
            self->out_ << "card deposit result: completed\ndeposit " << id << ": "
                       << moneyText(deposit->amount(), deposit->currencyCode()) << ", COMPLETED";
        } else {
            self->out_ << finished << "deposit " << id << " is ";
            switch (status) {
                case Status::preview:
                    self->out_ << "PREVIEW";
                    if (!mayLand) self->out_ << ": no card was charged, nothing was deposited";
                    break;
                case Status::processing:
                case Status::redirection:
                    self->out_ << "still " << model::toWireValue(status);
                    if (!mayLand) self->out_ << ": its 3-D Secure page was left unanswered";
                    break;
                case Status::pending:
                    // Made, and waiting for the customer's Confirm on the review screen.
                    self->out_ << "PENDING";
                    if (!mayLand)
                        self->out_ << ": it waits for the customer's confirmation; no card was "
                                      "charged, nothing was deposited";
                    break;
                default:
                    self->out_ << model::toWireValue(status);
                    break;
            }
            if (mayLand) self->out_ << " when read";
        }
        if (deposit->statusReason())
            self->out_ << " (" << TerminalText::inLine(*deposit->statusReason()) << ")";
        if (mayLand)
            self->out_ << "; the step sent may still be acted on (`deposit get " << id
                       << "` shows where it ends)";
        self->out_ << std::endl;
        self->end(status == Status::completed ? Outcome::succeeded : Outcome::failed);
    });
}

void CardDepositCommands::readDepositBack(const std::string& id, DepositRead then) {
    // Said when Ctrl-C stops the read: the flow's end, and where the deposit shows.
    const std::string shown = TerminalText::inLine(id);
    std::string unknown =
        (flowCompleted_ ? "the card-deposit flow completed; `deposit get "
                        : "deposit " + shown + " was not read back (`deposit get ") +
        shown + (flowCompleted_ ? "` shows where its deposit stands" : "` shows where it stands)");
    // Only the flow's own deposit says where it stands.
    call(ownRecord("deposit", id, &Wallet::CustomerDeposit::id,
                   [service = wallet_.depositService(), id] { return service->get(id); }),
         std::move(then), std::move(unknown));
}

void CardDepositCommands::end(Outcome outcome) {
    running_ = false;
    flowShown_ = false;
    interruptGuard_.reset();
    flowStep_.reset();
    commandStep_.reset();
    if (auto done = std::exchange(done_, nullptr)) done(outcome);
}

}  // namespace corvend::cli
