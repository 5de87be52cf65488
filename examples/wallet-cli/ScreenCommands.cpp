#include "examples/wallet-cli/ScreenCommands.hpp"

#include <chrono>
#include <ostream>
#include <stdexcept>
#include <string_view>
#include <thread>
#include <utility>

#include "CorvendWallet/Cards.hpp"
#include "CorvendWallet/Profile.hpp"
#include "examples/wallet-cli/CommandRun.hpp"
#include "examples/wallet-cli/CommandWords.hpp"
#include "examples/wallet-cli/TerminalText.hpp"
#include "examples/wallet-cli/UnseenEnd.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/async/Task.hpp"
#include "platform/web/WebView.hpp"

namespace corvend::cli {

namespace {

constexpr std::string_view kStartOptions[] = {"ref", "language"};
constexpr auto kPatience = std::chrono::seconds(30);
// No command reads a verification session; a completed one shows in the customer's.
constexpr std::string_view kShowsCompletion = " (`kyc status` shows the customer's verification)";

// The web view among `view` and its subviews, if any.
std::shared_ptr<platform::web::WebView> findWebView(const platform::ui::ViewPtr& view) {
    if (auto web = std::dynamic_pointer_cast<platform::web::WebView>(view)) return web;
    for (const auto& subview : view->subviews()) {
        if (auto web = findWebView(subview)) return web;
    }
    return nullptr;
}

}  // namespace

std::shared_ptr<ScreenCommands> ScreenCommands::make(Wallet& wallet,
                                                     std::shared_ptr<LineSource> answers,
                                                     std::ostream& out, std::ostream& err) {
    return std::make_shared<ScreenCommands>(Passkey{}, wallet, std::move(answers), out, err);
}

ScreenCommands::ScreenCommands(Passkey, Wallet& wallet, std::shared_ptr<LineSource> answers,
                               std::ostream& out, std::ostream& err)
    : wallet_(wallet), driver_(ScreenDriver::make(std::move(answers), out)), out_(out), err_(err) {}

void ScreenCommands::install(CommandTable& table) {
    table.add(
        {.name = "secure-details",
         .usage = "<card-id>",
         .summary = "show a card's secure-details screen",
         .meanings = {{"<card-id>",
                       "the prepaid card whose details to show ('cards list' "
                       "lists the cards)"}},
         .minArguments = 1,
         .maxArguments = 1,
         .handler = [self = shared_from_this()](const auto& arguments, CommandTable::Done done) {
             self->secureDetails(arguments, std::move(done));
         }});
}

std::string ScreenCommands::describe(Wallet::VerificationResult result) {
    switch (result) {
        case Wallet::VerificationResult::complete:
            return "complete";
        case Wallet::VerificationResult::failed:
            return "failed";
        case Wallet::VerificationResult::cancelled:
            return "cancelled";
        case Wallet::VerificationResult::internalError:
            break;
    }
    return "internalError";
}

void ScreenCommands::watch(std::function<bool()> step, std::function<void()> timedOut) {
    // Once the command is stopped the screen is let go unseen.
    const auto run = CommandRun::current();
    const auto live = [run = std::weak_ptr(run), scoped = run != nullptr] {
        const auto alive = run.lock();
        return !scoped || (alive && alive->isLive());
    };
    // The watcher waits off the main thread and looks at the screen on it.
    platform::Task<void>::detached([step = std::move(step),
                                    timedOut = std::function<void()>(guarded(std::move(timedOut))),
                                    live]() mutable {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        bool settled = false;
        while (!settled && std::chrono::steady_clock::now() < deadline) {
            platform::MainQueue::shared().sync([&] { settled = !live() || step(); });
            if (!settled) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        // The screen the steps hold goes away on the main thread too.
        platform::MainQueue::shared().async(
            [step = std::move(step), timedOut = std::move(timedOut), settled] {
                if (!settled) timedOut();
            });
    });
}

void ScreenCommands::secureDetails(const std::vector<std::string>& arguments,
                                   CommandTable::Done done) {
    auto screen = wallet_.cardService()->getSecureDetailsViewController(
        Wallet::CardSecureDetailsRequest(arguments.front()));
    const auto root = screen->view();  // loading the view starts the fetch
    auto web = findWebView(root);
    const auto subviewsWhileLoading = root->subviews().size();
    auto self = shared_from_this();
    watch(
        [self, screen, root, web, subviewsWhileLoading, done, cardID = arguments.front()] {
            const bool failed = root->subviews().size() > subviewsWhileLoading;
            const bool loaded = web && !web->isLoading() && (web->page() || web->lastError());
            if (!failed && !loaded) return false;
            // As every screen is shown: a page's words carry their mark.
            self->out_ << ScreenDriver::render(screen) << std::endl;
            if (failed) {
                self->explainFailure(cardID, done);
                return true;
            }
            // A failed load shows no page; an error status shows the server's, not the card's.
            if (const auto failure = ScreenDriver::pageFailure(*web)) {
                self->err_ << "secure-details: the page of card " << cardID
                           << " was not shown: " << *failure << std::endl;
                done(Outcome::failed);
                return true;
            }
            self->out_ << "loaded " << web->page()->url.absoluteString() << std::endl;
            done(Outcome::succeeded);
            return true;
        },
        [self, done] {
            self->err_ << "secure-details: the screen did not settle" << std::endl;
            done(Outcome::failed);
        });
}

void ScreenCommands::explainFailure(const std::string& cardID, CommandTable::Done done) {
    call([service = wallet_.cardService(), cardID] { return service->get(cardID, std::nullopt); },
         [self = shared_from_this(), cardID, done](Result<Wallet::Card> card) {
             self->err_ << "secure-details: no page for card " << cardID << ": ";
             if (card) {
                 self->err_ << "the service gave none for a card "
                            << model::toWireValue(card->status()) << std::endl;
             } else {
                 self->err_ << errorText(card.error()) << std::endl;
             }
             done(Outcome::failed);
         });
}

void ScreenCommands::startVerification(const std::vector<std::string>& arguments,
                                       CommandTable::Done done) {
    std::string reference = "wallet-cli";
    std::optional<std::string> language;
    for (const auto& [name, value] : optionPairs(arguments, kStartOptions)) {
        // Refused here, by name: the screen would only say that its session failed.
        if (!isUTF8(value))
            throw std::invalid_argument("--" + name + " '" + value +
                                        "' is not UTF-8 text, which a verification session "
                                        "cannot carry: nothing was sent");
        (name == "ref" ? reference : language.emplace()) = value;
    }
    auto screen = wallet_.customerVerificationService()->startCustomerVerification(
        Wallet::CustomerVerificationRequest(reference, language));
    verification_ = screen;
    // Stopped before it ended, the screen goes unseen, and its calls with it.
    const auto drop = [weakSelf = weak_from_this(), which = screen.get()] {
        const auto self = weakSelf.lock();
        if (!self || self->verification_.get() != which) return;
        self->driver_->stop();
        platform::MainQueue::shared().async(
            [screen = std::exchange(self->verification_, nullptr)] {});
    };
    // What is known of the session when the page ends before the screen's result: the words
    // say what is unknown, and where a completion would show.
    const auto left = [web = std::weak_ptr(findWebView(screen->view()))]() -> std::string {
        const auto page = web.lock();
        // A page asked for (loading, or failed on the way) was the session's own.
        if (!page || (!page->isLoading() && !page->page() && !page->lastError()))
            return "a verification session may have been made at the service; no command shows "
                   "one";
        // A link followed whose page is loading, was lost on the way or answered an error.
        if (pageChoiceUnseen(page))
            return "a verification session was started; whether the choice made on its page "
                   "reached the service is unknown" +
                   std::string(kShowsCompletion);
        // The session's own page still loading, failed, or answered with an error status, whose
        // page is the server's: nothing of the session's was shown.
        const auto failure = ScreenDriver::pageFailure(*page);
        if (page->page() && !failure) return "";
        std::string said =
            "a verification session was started; its page was not shown, nothing was chosen on it";
        if (failure)
            said += (page->lastError() ? ": the page could not be loaded: " : ": ") + *failure;
        return said;
    };
    if (const auto run = CommandRun::current()) verificationStep_ = run->step(drop, left);
    // The screen's one result or the person's "close" ends the command, whichever comes first.
    const auto finish = [weakSelf = weak_from_this(), which = screen.get(), done](
                            const std::string& line, bool failed, bool toErr) {
        const auto self = weakSelf.lock();
        if (!self || self->verification_.get() != which) return;
        self->driver_->stop();
        self->verificationStep_.reset();
        (toErr ? self->err_ : self->out_) << line << std::endl;
        // The screen may be the caller: it goes once the call is over.
        platform::MainQueue::shared().async(
            [screen = std::exchange(self->verification_, nullptr)] {});
        done(failed ? Outcome::failed : Outcome::succeeded);
    };
    screen->setCompletion([finish, left,
                           weakScreen = std::weak_ptr(screen)](Wallet::VerificationResult result) {
        const auto screen = weakScreen.lock();
        if (const auto other = screen ? screen->foreignSession() : std::nullopt) {
            // The page's return named a session this start did not open: not its result.
            return finish("kyc start: the verification page returned for session " +
                              TerminalText::inLine(*other) +
                              ", which this start did not open; the session it opened was not "
                              "read: whether it completed is unknown" +
                              std::string(kShowsCompletion),
                          true, true);
        }
        if (const auto other = screen ? screen->foreignReply() : std::nullopt) {
            // The page returned for the session opened; only the read's reply was another's.
            return finish(
                "kyc start: the verification page returned for the session this start "
                "opened, but the reply to its read named session " +
                    TerminalText::inLine(*other) + ": whether it completed is unknown" +
                    std::string(kShowsCompletion),
                true, true);
        }
        if (result == Wallet::VerificationResult::internalError) {
            // The screen does not say what failed (a lost session reply, a refusal, a page that
            // did not load): what may have happened, as when stopped by Ctrl-C.
            const std::string known = left();
            return finish("kyc start: " + (known.empty() ? std::string("the verification page "
                                                                       "ended; its result could "
                                                                       "not be read")
                                                         : known),
                          true, true);
        }
        // Only a completed verification did what was asked.
        finish("verification " + describe(result), result != Wallet::VerificationResult::complete,
               false);
    });
    driver_->start(
        {.top = [weakScreen = std::weak_ptr(screen)]() -> platform::ui::ViewControllerPtr {
             return weakScreen.lock();
         },
         .close =
             [finish, left](const auto&) {
                 const std::string known = left();
                 finish("kyc start: " + (known.empty()
                                             ? std::string("the verification page was closed "
                                                           "before it ended")
                                             : known),
                        true, true);
             }});
}

}  // namespace corvend::cli
