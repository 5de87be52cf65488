#include "CorvendWallet/ui/flows/verification/CustomerVerificationViewController.hpp"

#include <stdexcept>
#include <utility>

#include "CorvendWallet/services/profile/KycSessionStatus.hpp"
#include "CorvendWallet/setup/WebReturnURL.hpp"
#include "platform/http/URLRequest.hpp"
#include "platform/url/URLComponents.hpp"

namespace corvend {

namespace wire = CustomerVerificationServiceEndpoint;
using model::VerificationResult;
using platform::web::NavigationActionPolicy;

std::shared_ptr<CustomerVerificationViewController> CustomerVerificationViewController::make(
    const model::CustomerVerificationRequest& request,
    std::shared_ptr<Networkable> networkManager) {
    auto screen =
        std::make_shared<CustomerVerificationViewController>(Passkey{}, std::move(networkManager));
    screen->webView_->setNavigationDelegate(screen);
    screen->webView_->setUIDelegate(screen);
    screen->setView(screen->webView_);
    screen->startSession(request);
    return screen;
}

CustomerVerificationViewController::CustomerVerificationViewController(
    Passkey, std::shared_ptr<Networkable> networkManager)
    : networkManager_(std::move(networkManager)),
      webView_(std::make_shared<platform::web::WebView>(platform::web::WebViewConfiguration{
          .allowsInlineMediaPlayback = true, .mediaPlaybackRequiresUserAction = false})),
      returnMatcher_(std::string(kWebReturnURL)) {
    if (!networkManager_) {
        throw std::invalid_argument("the verification screen needs a network manager");
    }
}

std::weak_ptr<CustomerVerificationViewController> CustomerVerificationViewController::weakSelf() {
    return std::static_pointer_cast<CustomerVerificationViewController>(shared_from_this());
}

void CustomerVerificationViewController::startSession(
    const model::CustomerVerificationRequest& request) {
    run([networkManager = networkManager_,
         endpoint = wire::createKycSession(request)] { return networkManager->request(endpoint); },
        &CustomerVerificationViewController::loadSession);
}

void CustomerVerificationViewController::run(
    std::function<wire::KycSessionResponse()> operation,
    void (CustomerVerificationViewController::*deliver)(const SessionResult&)) {
    // Nothing cancels a request: each runs to its end and is kept until it reports. The screen
    // is held weakly, and with it go the tasks, so a screen gone by then hears nothing.
    const auto id = nextRequest_++;
    requests_.emplace(
        id, FlowTask::run<wire::KycSessionResponse>(
                std::move(operation), [weak = weakSelf(), id, deliver](SessionResult result) {
                    const auto self = weak.lock();
                    if (!self) return;
                    self->requests_.erase(id);
                    ((*self).*deliver)(result);
                }));
}

void CustomerVerificationViewController::loadSession(const SessionResult& result) {
    if (!result || !result->redirectUrl) return report(VerificationResult::internalError);
    const auto url = platform::URL::make(*result->redirectUrl);
    if (!url) return report(VerificationResult::internalError);
    session_ = result->id;
    startingSessionPage_ = true;
    webView_->load(platform::URLRequest(*url,
                                        platform::URLRequestCachePolicy::useProtocolCachePolicy,
                                        platform::URLRequest::Seconds(60)));
}

void CustomerVerificationViewController::decidePolicyFor(
    platform::web::WebView&, const platform::web::NavigationAction& navigationAction,
    platform::web::NavigationDecisionHandler decisionHandler) {
    // A redirect goes on with the navigation before it; anything else starts a new one (and
    // abandons the one running).
    if (navigationAction.navigationType != platform::web::NavigationType::redirect) {
        loadingSessionPage_ = std::exchange(startingSessionPage_, false);
    }
    const auto& url = navigationAction.request.url();
    if (!returnMatcher_.matches(url)) return decisionHandler(NavigationActionPolicy::allow);
    // Whatever it carries, the return address is never loaded; reaching it ends the page's load.
    loadingSessionPage_ = false;
    decisionHandler(NavigationActionPolicy::cancel);
    const auto id = sessionId(url);
    if (id && id == session_) return readSession(*id);
    if (id) setForeignSession(*id);
    report(VerificationResult::internalError);
}

void CustomerVerificationViewController::didFinish(platform::web::WebView& webView) {
    // An error page in place of the session's own leads nowhere: the verification cannot go on.
    const auto& page = webView.page();
    if (std::exchange(loadingSessionPage_, false) && page && page->statusCode >= 400) {
        report(VerificationResult::internalError);
    }
}

void CustomerVerificationViewController::didFail(platform::web::WebView&,
                                                 const platform::URLError&) {
    // Without its page the verification cannot go on. A page the person went on to from there
    // failing is not the session's failure: the page shown still offers its way out.
    if (!std::exchange(loadingSessionPage_, false)) return;
    report(VerificationResult::internalError);
}

std::optional<std::string> CustomerVerificationViewController::sessionId(const platform::URL& url) {
    const auto components = platform::URLComponents::parse(url.absoluteString());
    if (!components) return std::nullopt;
    const auto items = components->queryItems();
    if (!items) return std::nullopt;
    for (const auto& item : *items) {
        if (item.name != "sessionId") continue;
        // An empty value names no session: it would read the collection instead.
        if (!item.value || item.value->empty()) return std::nullopt;
        return item.value;
    }
    return std::nullopt;
}

void CustomerVerificationViewController::readSession(const std::string& id) {
    // The endpoint is built in the task, so an identifier that cannot stand as one path segment
    // fails there ("I0001") and reaches the screen like any other failure.
    run([networkManager = networkManager_,
         id] { return networkManager->request(wire::kycSession(id)); },
        &CustomerVerificationViewController::handleSessionStatus);
}

void CustomerVerificationViewController::handleSessionStatus(const SessionResult& result) {
    if (!result) return report(VerificationResult::internalError);
    // Another session's status is not this verification's end, whatever it says; the page did
    // return for this one, so the host is told which went wrong.
    if (result->id != session_) {
        if (!result->id.empty()) setForeignReply(result->id);
        return report(VerificationResult::internalError);
    }
    report(toVerificationResult(model::fromWire<KycSessionStatus>(result->status)));
}

void CustomerVerificationViewController::report(VerificationResult result) const {
    // A copy: the host may replace the completion, or drop the screen, while it runs.
    if (const auto completion = this->completion()) completion(result);
}

}  // namespace corvend
