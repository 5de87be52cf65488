#include "examples/wallet-cli/TerminalURLOpener.hpp"

#include <ostream>
#include <utility>

#include "examples/wallet-cli/CommandRun.hpp"
#include "examples/wallet-cli/CommandWords.hpp"
#include "examples/wallet-cli/Interruptions.hpp"
#include "examples/wallet-cli/UnseenEnd.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/http/URLRequest.hpp"

namespace corvend::cli {

namespace {

// Whether `url` is the return address, whatever query or fragment the page added.
bool reaches(const platform::URL& url, const platform::URL& returnAddress) {
    return url.scheme() == returnAddress.scheme() && url.host() == returnAddress.host() &&
           url.port() == returnAddress.port() && url.path() == returnAddress.path();
}

}  // namespace

std::shared_ptr<TerminalURLOpener> TerminalURLOpener::make(std::shared_ptr<LineSource> answers,
                                                           std::ostream& out) {
    return std::make_shared<TerminalURLOpener>(Passkey{}, std::move(answers), out);
}

TerminalURLOpener::TerminalURLOpener(Passkey, std::shared_ptr<LineSource> answers,
                                     std::ostream& out)
    : out_(out), driver_(ScreenDriver::make(std::move(answers), out)) {}

void TerminalURLOpener::expectReturn(const std::string& returnAddress, Ended ended) {
    returnAddress_ = platform::URL::make(returnAddress);
    ended_ = std::move(ended);
}

void TerminalURLOpener::cancelReturn() {
    if (screen_) return;
    returnAddress_.reset();
    ended_ = nullptr;
}

void TerminalURLOpener::open(const platform::URL& url, const Options&,
                             std::function<void(bool opened)> completion) {
    loadUnseen_ = false;
    if (!CommandRun::mayStart()) {
        // The command that asked for it was stopped: no page, and nothing said.
        completion(false);
        return;
    }
    if (screen_) {
        out_ << "a page is open already: " << url.absoluteString() << " was not opened"
             << std::endl;
        completion(false);
        return;
    }
    opening_ = std::move(completion);
    shown_ = false;
    decisions_ = 0;
    interruptGuard_ = Interruptions::shared().take([weakSelf = weak_from_this()] {
        if (const auto self = weakSelf.lock()) self->end(std::nullopt, true);
    });
    screen_ = std::make_shared<platform::ui::ViewController>();
    const auto web = std::make_shared<platform::web::WebView>();
    screen_->view()->addSubview(web);
    web->setNavigationDelegate(shared_from_this());
    out_ << "opening " << url.absoluteString() << std::endl;
    web->load(platform::URLRequest(url));
    driver_->start({.top = [screen = std::weak_ptr(screen_)] { return screen.lock(); },
                    .close =
                        [weakSelf = weak_from_this()](const auto&) {
                            if (const auto self = weakSelf.lock()) self->end(std::nullopt, true);
                        }});
}

void TerminalURLOpener::decidePolicyFor(platform::web::WebView&,
                                        const platform::web::NavigationAction& navigationAction,
                                        platform::web::NavigationDecisionHandler decisionHandler) {
    ++decisions_;
    const auto& url = navigationAction.request.url();
    if (!returnAddress_ || !reaches(url, *returnAddress_)) {
        decisionHandler(platform::web::NavigationActionPolicy::allow);
        return;
    }
    decisionHandler(platform::web::NavigationActionPolicy::cancel);
    out_ << "the page returned to " << url.absoluteString() << std::endl;
    shown_ = true;
    answer(true);
    end(url.absoluteString(), true);
}

void TerminalURLOpener::didFinish(platform::web::WebView& webView) {
    if (!opening_) return;
    const int status = webView.page() ? webView.page()->statusCode : 0;
    if (status >= 400) {
        // An error page is no page of the address: not opened. The address had the request,
        // though, and may have acted on it.
        out_ << "the page could not be loaded: the server answered HTTP " << status << std::endl;
        loadUnseen_ = true;
        answer(false);
        end(std::nullopt, false);
        return;
    }
    shown_ = true;
    answer(true);
}

void TerminalURLOpener::didFail(platform::web::WebView&, const platform::URLError& error) {
    if (!opening_) return;  // a later page: the driver prints its error and closes it
    out_ << "the page could not be loaded: " << pageLineText(error.description()) << std::endl;
    // A redirect came first: the address had the request and answered it.
    loadUnseen_ = decisions_ > 1 || endUnseen(Error::make(error));
    answer(false);
    end(std::nullopt, false);
}

void TerminalURLOpener::answer(bool opened) {
    if (auto opening = std::exchange(opening_, nullptr)) opening(opened);
}

void TerminalURLOpener::end(std::optional<std::string> returnedTo, bool tell) {
    if (!screen_) return;
    driver_->stop();
    interruptGuard_.reset();
    if (opening_) {
        // Closed before anything was shown: not opened, and the kit says so to the caller.
        out_ << "the page was closed before it was shown" << std::endl;
        loadUnseen_ = true;
        tell = false;
    }
    answer(shown_);
    auto ended = std::exchange(ended_, nullptr);
    returnAddress_.reset();
    // The web view may be calling this opener: it goes once that call is over.
    platform::MainQueue::shared().async([self = shared_from_this(), ended = std::move(ended),
                                         returnedTo = std::move(returnedTo), tell] {
        self->screen_.reset();
        if (tell && ended) ended(returnedTo);
    });
}

}  // namespace corvend::cli
