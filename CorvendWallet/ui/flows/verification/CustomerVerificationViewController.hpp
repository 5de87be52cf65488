#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "CorvendWallet/foundation/Passkey.hpp"
#include "CorvendWallet/networking/Networkable.hpp"
#include "CorvendWallet/services/profile/CustomerVerificationRequest.hpp"
#include "CorvendWallet/services/profile/CustomerVerificationScreen.hpp"
#include "CorvendWallet/services/profile/CustomerVerificationServiceEndpoint.hpp"
#include "CorvendWallet/ui/foundation/FlowTask.hpp"
#include "CorvendWallet/ui/foundation/WebReturnURLMatcher.hpp"
#include "platform/web/NavigationDelegate.hpp"
#include "platform/web/UIDelegate.hpp"
#include "platform/web/WebView.hpp"

namespace corvend {

// The identity-verification screen: opens a verification session on the service when made,
// shows the session's page in a web view (its view) and watches every navigation. A navigation
// to the kit's web return address is declined and ends the web part: the session named by its
// "sessionId" is read, and its status becomes one model::VerificationResult for the completion.
// Only the session this screen opened is read: the page is another's content, and a return that
// names another session is not this verification's end (`internalError`, nothing read; see
// foreignSession()), nor is a read answered for another session (`internalError`; see
// foreignReply()). Every failure is `internalError`,
// the session's own page failing to load included (its first load and that load's redirects); a
// later navigation that fails (a link the person followed) is the page's business and reports
// nothing. Replies come through the main queue and hold the screen weakly: a screen gone by then
// reports nothing. It never dismisses itself.
class CustomerVerificationViewController final : public CustomerVerificationScreen,
                                                 public platform::web::NavigationDelegate,
                                                 public platform::web::UIDelegate {
  public:
    // Makes the screen and sends the session request. Call it on the main thread.
    static std::shared_ptr<CustomerVerificationViewController> make(
        const model::CustomerVerificationRequest& request,
        std::shared_ptr<Networkable> networkManager);

    // Made only through make(), which wires the web view and starts.
    using Passkey = corvend::Passkey<CustomerVerificationViewController>;
    CustomerVerificationViewController(Passkey, std::shared_ptr<Networkable> networkManager);

    const std::shared_ptr<platform::web::WebView>& webView() const { return webView_; }

    void decidePolicyFor(platform::web::WebView& webView,
                         const platform::web::NavigationAction& navigationAction,
                         platform::web::NavigationDecisionHandler decisionHandler) override;
    void didFinish(platform::web::WebView& webView) override;
    void didFail(platform::web::WebView& webView, const platform::URLError& error) override;

    // The value of the first query item named exactly "sessionId"; none without it or its value.
    static std::optional<std::string> sessionId(const platform::URL& url);

  private:
    using SessionResult = Result<CustomerVerificationServiceEndpoint::KycSessionResponse>;

    void startSession(const model::CustomerVerificationRequest& request);
    // Runs one request of the screen and hands its result to `deliver` on the main thread.
    void run(std::function<CustomerVerificationServiceEndpoint::KycSessionResponse()> operation,
             void (CustomerVerificationViewController::*deliver)(const SessionResult&));
    void loadSession(const SessionResult& result);
    void readSession(const std::string& id);
    void handleSessionStatus(const SessionResult& result);
    void report(model::VerificationResult result) const;
    std::weak_ptr<CustomerVerificationViewController> weakSelf();

    const std::shared_ptr<Networkable> networkManager_;
    const std::shared_ptr<platform::web::WebView> webView_;
    const WebReturnURLMatcher returnMatcher_;
    // The next navigation that is not a redirect is the session page's own load.
    bool startingSessionPage_ = false;
    // The navigation running is the session page's load (or one of its redirects).
    bool loadingSessionPage_ = false;
    // The session the service opened for this screen, once it has.
    std::optional<std::string> session_;
    // The requests still running, by number.
    std::map<std::uint64_t, std::shared_ptr<FlowTask>> requests_;
    std::uint64_t nextRequest_ = 0;
};

}  // namespace corvend
