#include "examples/wallet-cli/CardDepositCommands.hpp"

#include <algorithm>
#include <chrono>
#include <ostream>
#include <thread>
#include <utility>

#include "CorvendWallet/CardDeposit.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/async/Task.hpp"
#include "platform/ui/BarButtonItem.hpp"
#include "platform/ui/Button.hpp"
#include "platform/ui/NavigationController.hpp"
#include "platform/ui/TextField.hpp"
#include "platform/web/WebView.hpp"

namespace corvend::cli {

namespace {

// How often the terminal looks at the screen while the flow works.
constexpr auto kTick = std::chrono::milliseconds(50);

template <class T>
void collect(const platform::ui::ViewPtr& view, std::vector<std::shared_ptr<T>>& found) {
    if (view->isHidden()) return;
    if (auto match = std::dynamic_pointer_cast<T>(view)) found.push_back(match);
    for (const auto& subview : view->subviews()) collect(subview, found);
}

template <class T>
std::vector<std::shared_ptr<T>> onScreen(const platform::ui::ViewControllerPtr& screen) {
    std::vector<std::shared_ptr<T>> found;
    const auto view = screen->view();
    view->layoutIfNeeded();
    collect(view, found);
    return found;
}

std::vector<std::shared_ptr<platform::ui::Button>> tappable(
    const platform::ui::ViewControllerPtr& screen) {
    auto buttons = onScreen<platform::ui::Button>(screen);
    std::erase_if(buttons, [](const auto& button) { return !button->isEnabled(); });
    return buttons;
}

std::string lowered(std::string text) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
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
    if (result.isCompleted()) return "completed";
    if (result.isCancelled()) return "cancelled";
    if (const auto* failure = std::get_if<Result::TerminalFailure>(&result.value))
        return "terminal failure: " + failure->error.description();
    return "non-terminal failure: " +
           std::get<Result::NonTerminalFailure>(result.value).error.description();
}

void CardDepositCommands::run(const std::vector<std::string>& arguments, CommandTable::Done done) {
    if (running_) {
        err_ << "card-deposit: a card deposit is running already" << std::endl;
        done(Outcome::failed);
        return;
    }
    Wallet::CardDepositRequest request{.amount = std::stoll(arguments[0]),
                                       .currencyCode = arguments[1]};
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
                self->err_ << "card deposit preview failed: " << deposit.error().description()
                           << std::endl;
                self->running_ = false;
                self->done_(Outcome::failed);
                return;
            }
            self->out_ << "card deposit " << deposit->id() << " previewed" << std::endl;
            self->startFlow(deposit->id());
        });
}

void CardDepositCommands::startFlow(const std::string& depositID) {
    host_ = std::make_shared<platform::ui::ViewController>();
    host_->view();
    shown_.clear();
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
    const auto navigation = std::dynamic_pointer_cast<platform::ui::NavigationController>(
        host_->presentedViewController());
    if (!navigation) return nullptr;
    auto screen = navigation->topViewController();
    // A hint sheet shows over its card screen.
    while (screen && screen->presentedViewController()) screen = screen->presentedViewController();
    if (const auto sheet = std::dynamic_pointer_cast<platform::ui::NavigationController>(screen))
        return sheet->topViewController();
    return screen;
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
    if (snapshot.find("loading") != std::string::npos) return;
    if (!onScreen<platform::web::WebView>(screen).empty()) return;  // the page leads on
    const bool closable = screen->navigationItem().leftBarButtonItem != nullptr;
    if (tappable(screen).empty() && !closable) return;
    auto fields = onScreen<platform::ui::TextField>(screen);
    std::erase_if(fields, [](const auto& field) { return !field->text().empty(); });
    asking_ = true;
    askFields(std::move(fields));
}

void CardDepositCommands::askFields(std::vector<std::shared_ptr<platform::ui::TextField>> fields) {
    if (fields.empty()) {
        askChoice();
        return;
    }
    const auto field = fields.front();
    fields.erase(fields.begin());
    out_ << field->placeholder().value_or("text") << "> " << std::flush;
    answers_->next([self = shared_from_this(), field,
                    fields = std::move(fields)](std::optional<std::string> answer) mutable {
        if (!answer) {
            self->askChoice();
            return;
        }
        if (!answer->empty()) {
            field->becomeFirstResponder();
            field->type(*answer);
        }
        self->askFields(std::move(fields));
    });
}

void CardDepositCommands::askChoice() {
    const auto screen = topScreen();
    if (!screen) {
        asking_ = false;
        return;
    }
    const auto buttons = tappable(screen);
    out_ << "choose:";
    for (std::size_t index = 0; index < buttons.size(); ++index)
        out_ << " [" << index + 1 << "] " << buttons[index]->currentTitle().value_or("(no title)");
    out_ << " [close] [clear]> " << std::flush;
    answers_->next([self = shared_from_this(), screen, buttons](std::optional<std::string> answer) {
        self->asking_ = false;
        self->shown_.clear();
        const std::string choice = lowered(answer.value_or("close"));
        if (!answer) self->out_ << "(no more answers: closing)" << std::endl;
        if (choice == "close") {
            if (const auto& close = screen->navigationItem().leftBarButtonItem) close->tap();
            return;
        }
        if (choice == "clear") {
            for (const auto& field : onScreen<platform::ui::TextField>(screen)) {
                field->becomeFirstResponder();
                while (!field->text().empty()) field->deleteBackward();
            }
            return;
        }
        for (std::size_t index = 0; index < buttons.size(); ++index) {
            if (choice == std::to_string(index + 1) ||
                choice == lowered(buttons[index]->currentTitle().value_or(""))) {
                buttons[index]->tap();
                return;
            }
        }
        self->out_ << "no such choice: " << *answer << std::endl;
    });
}

void CardDepositCommands::finish(Wallet::CardDepositResult result) {
    if (ticking_) *ticking_ = false;
    running_ = false;
    out_ << "card deposit result: " << describe(result) << std::endl;
    const bool succeeded = result.isCompleted();
    if (auto done = std::exchange(done_, nullptr))
        done(succeeded ? Outcome::succeeded : Outcome::failed);
}

}  // namespace corvend::cli
