#include "examples/wallet-cli/CardDepositCommands.hpp"

#include <algorithm>
#include <chrono>
#include <ostream>
#include <thread>
#include <utility>

#include "CorvendCoreComponents/Button.hpp"
#include "CorvendCoreComponents/CheckboxButton.hpp"
#include "CorvendCoreComponents/LinksLabel.hpp"
#include "CorvendWallet/CardDeposit.hpp"
#include "CorvendWallet/Money.hpp"
#include "examples/wallet-cli/CommandWords.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/async/Task.hpp"
#include "platform/ui/ActivityIndicatorView.hpp"
#include "platform/ui/BarButtonItem.hpp"
#include "platform/ui/Button.hpp"
#include "platform/ui/LayoutConstraint.hpp"
#include "platform/ui/NavigationController.hpp"
#include "platform/ui/TextField.hpp"
#include "platform/web/WebView.hpp"

namespace corvend::cli {

namespace {

// How often the terminal looks at the screen while the flow works.
constexpr auto kTick = std::chrono::milliseconds(50);

using platform::ui::LayoutAttribute;
using platform::ui::ViewPtr;

bool isLeftOf(const ViewPtr& a, const ViewPtr& b) {
    // Read from the recorded constraints: a's trailing edge set against b's leading one, or
    // the other way round.
    const auto relates = [](const ViewPtr& first, LayoutAttribute firstEdge, const ViewPtr& second,
                            LayoutAttribute secondEdge) {
        for (const auto& constraint : first->constraints()) {
            const auto& other = constraint->secondAnchor();
            if (constraint->isActive() && constraint->firstAnchor().attribute() == firstEdge &&
                other && other->view() == second.get() && other->attribute() == secondEdge) {
                return true;
            }
        }
        return false;
    };
    return relates(a, LayoutAttribute::trailing, b, LayoutAttribute::leading) ||
           relates(b, LayoutAttribute::leading, a, LayoutAttribute::trailing);
}

// The subviews in the order a person reads them: subview order, except that a view laid out
// to the left of a sibling comes before it.
std::vector<ViewPtr> readingOrder(const ViewPtr& view) {
    std::vector<ViewPtr> left = view->subviews();
    std::vector<ViewPtr> ordered;
    while (!left.empty()) {
        auto next = std::ranges::find_if(left, [&](const ViewPtr& candidate) {
            return std::ranges::none_of(left, [&](const ViewPtr& other) {
                return other != candidate && isLeftOf(other, candidate);
            });
        });
        if (next == left.end()) next = left.begin();  // a cycle: keep subview order
        ordered.push_back(*next);
        left.erase(next);
    }
    return ordered;
}

template <class T>
void collect(const ViewPtr& view, std::vector<std::shared_ptr<T>>& found) {
    if (view->isHidden()) return;
    if (auto match = std::dynamic_pointer_cast<T>(view)) found.push_back(match);
    for (const auto& subview : readingOrder(view)) collect(subview, found);
}

template <class T>
std::vector<std::shared_ptr<T>> onScreen(const platform::ui::ViewControllerPtr& screen) {
    std::vector<std::shared_ptr<T>> found;
    const auto view = screen->view();
    view->layoutIfNeeded();
    collect(view, found);
    return found;
}

// The screen's state, not its words: a spinner turning, a button loading or a page loading.
bool isBusy(const platform::ui::ViewControllerPtr& screen) {
    return std::ranges::any_of(onScreen<platform::ui::ActivityIndicatorView>(screen),
                               [](const auto& spinner) { return spinner->isAnimating(); }) ||
           std::ranges::any_of(onScreen<components::Button>(screen),
                               [](const auto& button) { return button->isLoading(); }) ||
           std::ranges::any_of(onScreen<platform::web::WebView>(screen),
                               [](const auto& web) { return web->isLoading(); });
}

std::string lowered(std::string text) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// What a symbol shows, as a person would name it.
std::string symbolName(const std::string& symbol) {
    static constexpr std::pair<std::string_view, std::string_view> kSymbols[] = {
        {"questionmark.circle", "[?] help"},
        {"info.circle", "[i] about this"},
        {"xmark", "[x] close"}};
    for (const auto& [name, shown] : kSymbols) {
        if (name == symbol) return std::string(shown);
    }
    return "[" + symbol + "]";
}

// The field an image-only button sits beside, named for the help it gives.
std::optional<std::string> besideField(const ViewPtr& button) {
    auto* around = button->superview();
    for (int level = 0; around != nullptr && level < 2; ++level, around = around->superview()) {
        std::vector<std::shared_ptr<platform::ui::TextField>> fields;
        collect(around->shared_from_this(), fields);
        if (!fields.empty() && fields.front()->placeholder()) return fields.front()->placeholder();
    }
    return std::nullopt;
}

// The checkbox's own text: the label beside it, without its links.
std::string checkboxText(const std::shared_ptr<components::CheckboxButton>& box) {
    std::vector<std::shared_ptr<components::LinksLabel>> labels;
    if (auto* around = box->superview()) collect(around->shared_from_this(), labels);
    std::string text;
    if (!labels.empty() && labels.front()->attributedText()) {
        for (const auto& run : labels.front()->attributedText()->runs()) {
            if (!run.attributes.link) text += run.text;
        }
    }
    text = trimmed(text);
    if (text.empty()) text = "checkbox";
    return std::string(box->isChecked() ? "[x] " : "[ ] ") + text;
}

std::string buttonName(const std::shared_ptr<platform::ui::Button>& button) {
    if (const auto box = std::dynamic_pointer_cast<components::CheckboxButton>(button))
        return checkboxText(box);
    if (const auto title = button->currentTitle(); title && !title->empty()) return *title;
    const auto image = button->currentImage();
    std::string name = symbolName(image ? image->name() : "button");
    if (const auto field = besideField(button)) name += " with " + *field;
    return name;
}

std::string barButtonName(const platform::ui::BarButtonItem& item) {
    if (item.title() && !item.title()->empty()) return *item.title();
    return symbolName(item.image() ? item.image()->name() : "button");
}

// Empties an editable field; a field that refuses deletion is left as it is.
void clearField(const std::shared_ptr<platform::ui::TextField>& field) {
    field->becomeFirstResponder();
    while (!field->text().empty()) {
        const auto before = field->text().size();
        field->deleteBackward();
        if (field->text().size() >= before) return;
    }
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
    if (ticking_) *ticking_ = false;
}

void CardDepositCommands::install(CommandTable& table) {
    table.add({.name = "card-deposit",
               .usage = "<amount> <currency> [--saved-card ID]",
               .summary = "deposit with a card through the kit's screens",
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
            return std::string(
                flow->value() == Wallet::CardDepositError::failedToLoadAcceptedCardsError
                    ? "the service named no card scheme these screens accept"
                    : "the service sent something the card-deposit screens cannot use (for "
                      "example a saved instrument that is not a card)");
        }
        return error.description();
    };
    if (result.isCompleted()) return "completed";
    if (result.isCancelled()) return "cancelled";
    if (const auto* failure = std::get_if<Result::TerminalFailure>(&result.value))
        return "terminal failure: " + reason(failure->error);
    return "non-terminal failure: " +
           reason(std::get<Result::NonTerminalFailure>(result.value).error);
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
        done(Outcome::failed);
        return;
    }
    running_ = true;
    done_ = std::move(done);
    wallet_.cardDepositService()->preview(
        request, [self = shared_from_this()](Result<Wallet::CustomerDeposit> deposit) {
            if (!deposit) {
                self->err_ << "card deposit preview failed: " << errorText(deposit.error())
                           << std::endl;
                self->running_ = false;
                self->done_(Outcome::failed);
                return;
            }
            self->out_ << "card deposit " << deposit->id()
                       << " previewed: " << moneyText(deposit->amount(), deposit->currencyCode())
                       << std::endl;
            self->depositID_ = deposit->id();
            self->startFlow(deposit->id());
        });
}

void CardDepositCommands::startFlow(const std::string& depositID) {
    host_ = std::make_shared<platform::ui::ViewController>();
    host_->view();
    shown_.clear();
    fieldsAsked_.clear();
    asking_ = false;
    wallet_.cardDepositService()->start(
        depositID, host_, [weakSelf = weak_from_this()](Wallet::CardDepositResult result) {
            if (const auto self = weakSelf.lock()) self->finish(std::move(result));
        });
    startTicking();
}

void CardDepositCommands::startTicking() {
    // A look at the screen on every tick, like a terminal's refresh; the flow's own work
    // arrives through the main queue in between.
    ticking_ = std::make_shared<std::atomic<bool>>(true);
    platform::Task<void>::detached([ticking = ticking_, weakSelf = weak_from_this()] {
        while (*ticking) {
            std::this_thread::sleep_for(kTick);
            platform::MainQueue::shared().async([ticking, weakSelf] {
                if (!*ticking) return;
                if (const auto self = weakSelf.lock()) self->step();
            });
        }
    });
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

void CardDepositCommands::step() {
    if (asking_ || !running_) return;
    const auto screen = topScreen();
    if (!screen) return;
    const std::string snapshot = screen->snapshot();
    if (snapshot != shown_) {
        // Print each new state once, and wait a tick for it to settle before asking.
        shown_ = snapshot;
        out_ << "---\n" << snapshot << std::endl;
        return;
    }
    if (isBusy(screen)) return;
    // A screen with nothing to tap or type (one the flow is leaving) is not asked about.
    const auto& item = screen->navigationItem();
    if (!item.leftBarButtonItem && !item.rightBarButtonItem &&
        onScreen<platform::ui::Button>(screen).empty() &&
        onScreen<platform::ui::TextField>(screen).empty() &&
        onScreen<platform::web::WebView>(screen).empty()) {
        return;
    }
    asking_ = true;
    std::erase_if(fieldsAsked_, [](const auto& asked) { return asked.expired(); });
    if (std::ranges::any_of(fieldsAsked_,
                            [&](const auto& asked) { return asked.lock() == screen; })) {
        askChoice(screen);
        return;
    }
    fieldsAsked_.push_back(screen);
    auto fields = onScreen<platform::ui::TextField>(screen);
    std::erase_if(fields,
                  [](const auto& field) { return !field->isEnabled() || !field->text().empty(); });
    askFields(std::move(fields));
}

void CardDepositCommands::askFields(std::vector<std::shared_ptr<platform::ui::TextField>> fields) {
    if (fields.empty()) {
        // The screen is shown again (with what it says about the answers) before the choice.
        asking_ = false;
        return;
    }
    const auto field = fields.front();
    fields.erase(fields.begin());
    out_ << field->placeholder().value_or("text") << "> " << std::flush;
    answers_->next([self = shared_from_this(), field,
                    fields = std::move(fields)](std::optional<std::string> answer) mutable {
        if (!answer) {
            self->asking_ = false;
            return;
        }
        if (lowered(trimmed(*answer)) == "close") {
            self->asking_ = false;
            if (const auto screen = self->topScreen()) self->close(screen);
            return;
        }
        if (!answer->empty()) {
            field->becomeFirstResponder();
            field->type(*answer);
        }
        self->askFields(std::move(fields));
    });
}

void CardDepositCommands::close(const platform::ui::ViewControllerPtr& screen) {
    const auto& item = screen->navigationItem();
    for (const auto& bar : {item.leftBarButtonItem, item.rightBarButtonItem}) {
        if (bar && bar->image() && bar->image()->name() == "xmark" && bar->tap()) return;
    }
    if (item.leftBarButtonItem) item.leftBarButtonItem->tap();
}

void CardDepositCommands::askChoice(const platform::ui::ViewControllerPtr& screen) {
    struct Choice {
        std::string name;
        std::function<void()> act;
    };
    std::vector<Choice> choices;
    for (const auto& button : onScreen<platform::ui::Button>(screen)) {
        if (!button->isEnabled()) continue;
        choices.push_back({buttonName(button), [button] { button->tap(); }});
    }
    for (const auto& label : onScreen<components::LinksLabel>(screen)) {
        for (const auto& link : label->links()) {
            choices.push_back({link.string, [label, text = link.string] { label->tapLink(text); }});
        }
    }
    for (const auto& web : onScreen<platform::web::WebView>(screen)) {
        if (!web->page()) continue;
        for (const auto& link : web->page()->links)
            choices.push_back({link.text, [web, url = link.url] { web->navigate(url); }});
    }
    const auto& item = screen->navigationItem();
    for (const auto& bar : {item.leftBarButtonItem, item.rightBarButtonItem}) {
        if (!bar || !bar->isEnabled() || bar->isHidden()) continue;
        if (bar->image() && bar->image()->name() == "xmark") continue;  // that is `close`
        choices.push_back({barButtonName(*bar), [bar] { bar->tap(); }});
    }
    for (const auto& field : onScreen<platform::ui::TextField>(screen)) {
        if (!field->isEnabled()) continue;
        choices.push_back(
            {"edit " + field->placeholder().value_or("text"), [self = shared_from_this(), field] {
                 clearField(field);
                 self->asking_ = true;
                 self->askFields({field});
             }});
    }
    out_ << "choose:\n";
    for (std::size_t index = 0; index < choices.size(); ++index)
        out_ << "  [" << index + 1 << "] " << choices[index].name << "\n";
    out_ << "  close, clear\n> " << std::flush;
    answers_->next([self = shared_from_this(), screen,
                    choices = std::move(choices)](std::optional<std::string> answer) {
        self->asking_ = false;
        if (!answer) self->out_ << "(no more answers: closing)" << std::endl;
        const std::string choice = lowered(trimmed(answer.value_or("close")));
        if (choice.empty()) {
            self->out_ << "type a number or a name from the list" << std::endl;
            return;
        }
        if (choice == "close") return self->close(screen);
        if (choice == "clear") {
            for (const auto& field : onScreen<platform::ui::TextField>(screen)) {
                if (field->isEnabled()) clearField(field);
            }
            std::erase_if(self->fieldsAsked_,
                          [&](const auto& asked) { return asked.lock() == screen; });
            return;
        }
        for (std::size_t index = 0; index < choices.size(); ++index) {
            if (choice == std::to_string(index + 1) || choice == lowered(choices[index].name)) {
                choices[index].act();
                return;
            }
        }
        self->out_ << "no such choice: " << *answer << std::endl;
    });
}

void CardDepositCommands::finish(Wallet::CardDepositResult result) {
    if (ticking_) *ticking_ = false;
    out_ << "card deposit result: " << describe(result) << std::endl;
    if (!result.isCompleted()) return end(false);
    // The flow ends when the page hands back; whether the money came is the deposit's own
    // status (a declined 3-D Secure page leaves it failed).
    wallet_.depositService()->get(
        depositID_, [self = shared_from_this()](Result<Wallet::CustomerDeposit> deposit) {
            if (!deposit) {
                self->err_ << "card deposit read-back failed: " << deposit.error().description()
                           << std::endl;
                return self->end(false);
            }
            const bool failed = deposit->status() == Wallet::PaymentStatus::failed;
            self->out_ << "deposit " << deposit->id() << ": "
                       << moneyText(deposit->amount(), deposit->currencyCode()) << ", "
                       << model::toWireValue(deposit->status());
            if (deposit->statusReason()) self->out_ << " (" << *deposit->statusReason() << ")";
            self->out_ << std::endl;
            self->end(!failed);
        });
}

void CardDepositCommands::end(bool succeeded) {
    running_ = false;
    if (auto done = std::exchange(done_, nullptr))
        done(succeeded ? Outcome::succeeded : Outcome::failed);
}

}  // namespace corvend::cli
