#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "CorvendWallet/ui/flows/card-deposit/ThreeDSResult.hpp"
#include "CorvendWallet/ui/foundation/WebReturnURLMatcher.hpp"
#include "platform/ui/ImageView.hpp"
#include "platform/ui/ViewController.hpp"
#include "platform/url/URL.hpp"
#include "platform/web/NavigationDelegate.hpp"
#include "platform/web/WebView.hpp"

namespace corvend {

// The 3-D Secure step of the card-deposit flow: shows the issuer's page and watches every
// navigation it makes. Reaching the return address ends the step with success (that navigation
// is cancelled); the close button ends it with cancel. The screen reports once: the first
// outcome goes to `completion`, later ones are dropped. It never dismisses itself. A page that
// fails (unreachable, redirected in a loop or to an unusable address, too large, stalled) is no
// outcome: the screen shows the failure image over it and the close button stays, so the person
// can leave (which reports cancel). A page that arrives later takes the image away.
class ThreeDSWebViewController : public platform::ui::ViewController,
                                 public platform::web::NavigationDelegate {
  public:
    // Null when `urlString` is not a URL.
    static std::shared_ptr<ThreeDSWebViewController> make(std::string_view urlString,
                                                          std::string defaultUrl);

    ThreeDSWebViewController(platform::URL loadURL, std::string defaultUrl);

    const std::shared_ptr<platform::web::WebView>& webView() const { return webView_; }
    const platform::URL& loadURL() const { return loadURL_; }
    const std::string& defaultUrl() const { return returnMatcher_.returnURL(); }

    // Set by the router before the screen is shown; called on the main thread, at most once.
    void setCompletion(std::function<void(ThreeDSResult)> completion) {
        completion_ = std::move(completion);
    }
    // The outcome reached so far, reported or not.
    const std::optional<ThreeDSResult>& result() const { return result_; }

    // The close button's action.
    void closeButtonTapped();

    void decidePolicyFor(platform::web::WebView& webView,
                         const platform::web::NavigationAction& navigationAction,
                         platform::web::NavigationDecisionHandler decisionHandler) override;
    void didFinish(platform::web::WebView& webView) override;
    void didFail(platform::web::WebView& webView, const platform::URLError& error) override;

    // Shown while the last navigation's failure stands; null otherwise.
    const std::shared_ptr<platform::ui::ImageView>& failureImageView() const {
        return failureImageView_;
    }

  protected:
    void viewDidLoad() override;

  private:
    void finish(ThreeDSResult result);

    std::shared_ptr<platform::web::WebView> webView_;
    platform::URL loadURL_;
    WebReturnURLMatcher returnMatcher_;
    std::function<void(ThreeDSResult)> completion_;
    std::optional<ThreeDSResult> result_;
    std::shared_ptr<platform::ui::ImageView> failureImageView_;
};

}  // namespace corvend
