// drive-screens <base-url>: a host without a display drives the kit's screens to their end as a
// person would: a card deposit with a new card, typed into the form and approved on its 3-D
// Secure page; one with the customer's saved card; and an identity verification completed on its
// page. Each deposit is read back however its screens ended, and said as read. Exits 0 only when
// every screen ended as asked, each deposit reads COMPLETED and the verification completed;
// otherwise non-zero, saying where.
#include <chrono>
#include <cstddef>
#include <exception>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <variant>
#include <vector>

#include "CorvendWallet/CardDeposit.hpp"
#include "CorvendWallet/Cards.hpp"
#include "CorvendWallet/CorvendWallet.hpp"
#include "CorvendWallet/Money.hpp"
#include "CorvendWallet/Profile.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/ui/Button.hpp"
#include "platform/ui/NavigationController.hpp"
#include "platform/ui/TextField.hpp"
#include "platform/ui/ViewController.hpp"
#include "platform/web/WebView.hpp"

using corvend::Wallet;
using corvend::platform::MainQueue;
using corvend::platform::ui::ViewControllerPtr;
using corvend::platform::ui::ViewPtr;

namespace {

// How long the person waits for the screens to end.
constexpr auto kPatience = std::chrono::seconds(60);

// One thing the person does: types `text` into the field whose placeholder is `control`, or,
// without text, taps the button titled `control` or follows the page's link that reads so.
struct Step {
    std::string control;
    std::string text{};
};

// The first visible view of type T under `view` (itself included) that `matches`.
template <class T>
std::shared_ptr<T> find(const ViewPtr& view, const std::function<bool(const T&)>& matches) {
    if (view->isHidden()) return nullptr;
    if (auto found = std::dynamic_pointer_cast<T>(view); found && matches(*found)) return found;
    for (const auto& subview : view->subviews()) {
        if (auto found = find<T>(subview, matches)) return found;
    }
    return nullptr;
}

// The screen the person sees: what `screen` presents, through each navigation's top screen.
ViewControllerPtr topScreen(ViewControllerPtr screen) {
    using corvend::platform::ui::NavigationController;
    while (true) {
        if (auto presented = screen->presentedViewController()) {
            screen = presented;
        } else if (auto navigation = std::dynamic_pointer_cast<NavigationController>(screen);
                   navigation && navigation->topViewController()) {
            screen = navigation->topViewController();
        } else {
            return screen;
        }
    }
}

// Does `step` on `screen` if it can be done there now; whether it was.
bool act(const ViewControllerPtr& screen, const Step& step) {
    using namespace corvend::platform;
    const auto view = screen->view();
    view->layoutIfNeeded();  // a table loads its rows
    if (!step.text.empty()) {
        const auto field = find<ui::TextField>(view, [&](const ui::TextField& each) {
            return each.isEnabled() && each.placeholder() == step.control;
        });
        if (field) field->type(step.text);  // a key at a time, as the form formats it
        return field != nullptr;
    }
    const auto button = find<ui::Button>(
        view, [&](const ui::Button& each) { return each.currentTitle() == step.control; });
    // A tap is refused while the button is disabled: a form not filled in, a call under way.
    if (button) return button->tap();
    const auto web = find<web::WebView>(
        view, [](const web::WebView& each) { return !each.isLoading() && each.page(); });
    if (!web) return false;
    for (const auto& link : web->page()->links) {
        if (link.text == step.control) {
            web->navigate(link.url);
            return true;
        }
    }
    return false;
}

// The person: looks at the screens over `host` until `ended`, doing each step as it shows; a
// step left undone is another end than the one asked for. Says what stopped the person short,
// if anything. Runs on the host's thread; each look is a job of the main queue, where the
// screens live.
std::optional<std::string> answer(const ViewControllerPtr& host, const std::vector<Step>& steps,
                                  const std::function<bool()>& ended) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    std::size_t next = 0;
    while (true) {
        const bool late = std::chrono::steady_clock::now() > deadline;
        bool over = false;
        std::string shown;
        MainQueue::shared().sync([&] {
            over = ended();
            if (over) return;
            const auto screen = topScreen(host);
            if (late) {
                shown = screen->snapshot();
            } else if (next < steps.size() && act(screen, steps[next])) {
                ++next;
            }
        });
        if (over && next < steps.size())
            return "the screens ended before \"" + steps[next].control + "\"";
        if (over) return std::nullopt;
        if (late) {
            return (next < steps.size() ? "no \"" + steps[next].control + "\" to act on"
                                        : std::string("the screens did not end")) +
                   "; the screen shows:\n" + shown;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// The flow's one result, in words.
std::string describe(const Wallet::CardDepositResult& result) {
    using Result = Wallet::CardDepositResult;
    if (result.isCompleted()) return "completed";
    if (result.isCancelled()) return "cancelled";
    if (const auto* failure = std::get_if<Result::TerminalFailure>(&result.value))
        return "failed: " + failure->error.description();
    return "failed before a card was sent: " +
           std::get<Result::NonTerminalFailure>(result.value).error.description();
}

// The verification's one result, in words.
std::string describe(Wallet::VerificationResult result) {
    using Result = Wallet::VerificationResult;
    switch (result) {
        case Result::complete:
            return "complete";
        case Result::failed:
            return "failed";
        case Result::cancelled:
            return "cancelled";
        case Result::internalError:
            break;
    }
    return "internalError";
}

// Deposits 25.00 EUR through the card-deposit screens, then reads the deposit back however the
// screens ended: the flow's result says only how they ended, never whether the money came (after
// a Decline on the 3-D Secure page the flow is `completed` and the deposit FAILED). Goes on only
// when the screens ended as asked and the deposit reads COMPLETED.
void depositWithCard(const std::string& paying,
                     std::optional<Wallet::PaymentInstrumentReference> savedCard,
                     const std::vector<Step>& steps) {
    auto& wallet = Wallet::instance();
    const auto service = wallet.cardDepositService();
    const auto deposit = service->preview({.amount = 2'500,
                                           .currencyCode = "EUR",
                                           .paymentInstrumentReference = std::move(savedCard)});
    // Outlives this call: the flow may still report after a person gave up.
    const auto result = std::make_shared<std::optional<Wallet::CardDepositResult>>();
    ViewControllerPtr host;
    MainQueue::shared().sync([&] {
        host = std::make_shared<corvend::platform::ui::ViewController>();
        service->start(deposit.id(), host, [result](auto ended) { *result = std::move(ended); });
    });
    const auto stopped = answer(host, steps, [result] { return result->has_value(); });
    // The result is the main thread's, as are the screens, which go there.
    std::string ended;
    MainQueue::shared().sync([&] {
        if (*result) ended = describe(**result);
        host.reset();
    });
    if (stopped) ended = *stopped + (ended.empty() ? "" : ": " + ended);
    std::cout << "card deposit with " << paying << ": " << ended << '\n';
    const auto read = wallet.depositService()->get(deposit.id());
    const std::string status(corvend::model::toWireValue(read.status()));
    std::cout << "deposit " << read.id() << ": " << status << '\n';
    if (read.status() != Wallet::PaymentStatus::completed)
        throw std::runtime_error("deposit " + read.id() + " is " + status + ", not COMPLETED");
    // Screens that did not end as asked fail the run whatever the deposit reads: they are what
    // this program checks.
    if (stopped) throw std::runtime_error("card deposit with " + paying + ": " + *stopped);
}

// The customer's first saved card.
Wallet::PaymentInstrumentReference savedCard() {
    Wallet::PaymentInstrumentsParameters cards;
    cards.instrumentType = Wallet::InstrumentType::card;
    for (const auto& card : Wallet::instance().paymentInstrumentService()->getAll(cards)) {
        if (card->id()) return {*card->id(), Wallet::InstrumentType::card};
    }
    throw std::runtime_error("the customer has no saved card");
}

// Verifies the customer's identity through the verification screen, presented over the host's.
void verifyCustomer() {
    const auto result = std::make_shared<std::optional<Wallet::VerificationResult>>();
    ViewControllerPtr host;
    MainQueue::shared().sync([&] {
        host = std::make_shared<corvend::platform::ui::ViewController>();
        const auto screen =
            Wallet::instance().customerVerificationService()->startCustomerVerification(
                {"drive-screens", std::nullopt});
        screen->setCompletion([result](auto ended) { *result = ended; });
        host->present(screen, false);
    });
    const auto stopped = answer(host, {{"Complete"}}, [result] { return result->has_value(); });
    // The screen never dismisses itself.
    MainQueue::shared().sync([&] {
        host->dismiss(false);
        host.reset();
    });
    if (stopped) throw std::runtime_error(*stopped);
    std::cout << "customer verification: " << describe(**result) << '\n';
    if (**result != Wallet::VerificationResult::complete)
        throw std::runtime_error("the verification did not complete");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: drive-screens <base-url>\n";
        return 2;
    }
    auto& queue = MainQueue::shared();
    int status = 1;
    // The blocking calls run on a thread of the host's while the main thread drives the queue,
    // where the screens live.
    std::thread host([&] {
        try {
            auto& wallet = Wallet::instance();
            wallet.configure({"sandbox-config-token", argv[1]});
            wallet.authenticate({"demo-access-token"});
            depositWithCard("a new card", std::nullopt,
                            {{"Card number", "4111111111111111"},
                             {"Expiry date", "1230"},
                             {"CVV", "123"},
                             {"Add a card"},
                             {"Confirm"},
                             {"Approve"}});
            depositWithCard("the saved card", savedCard(),
                            {{"CVV", "123"}, {"Continue"}, {"Confirm"}, {"Approve"}});
            verifyCustomer();
            status = 0;
        } catch (const std::exception& error) {
            std::cerr << "drive-screens: " << error.what() << '\n';
        }
        queue.stop();
    });
    queue.run();
    host.join();
    return status;
}
