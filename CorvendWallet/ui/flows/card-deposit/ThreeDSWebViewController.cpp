#include "CorvendWallet/ui/flows/card-deposit/ThreeDSWebViewController.hpp"

#include "CorvendWallet/ui/foundation/CenteredSubview.hpp"
#include "CorvendWallet/ui/foundation/FailureImageView.hpp"
#include "CorvendWallet/ui/foundation/NavigationControllable.hpp"
#include "platform/http/URLRequest.hpp"

namespace corvend {

using platform::ui::LayoutAttribute;
using platform::web::NavigationActionPolicy;

std::shared_ptr<ThreeDSWebViewController> ThreeDSWebViewController::make(std::string_view urlString,
                                                                         std::string defaultUrl) {
    auto url = platform::URL::make(urlString);
    if (!url) return nullptr;
    return std::make_shared<ThreeDSWebViewController>(std::move(*url), std::move(defaultUrl));
}

ThreeDSWebViewController::ThreeDSWebViewController(platform::URL loadURL, std::string defaultUrl)
    : webView_(std::make_shared<platform::web::WebView>()),
      loadURL_(std::move(loadURL)),
      returnMatcher_(std::move(defaultUrl)) {}

void ThreeDSWebViewController::viewDidLoad() {
    ViewController::viewDidLoad();
    const auto root = view();
    webView_->setTranslatesAutoresizingMaskIntoConstraints(false);
    root->addSubview(webView_);
    platform::ui::LayoutConstraint::activate({
        webView_->anchor(LayoutAttribute::top)
            .constraint(root->safeAreaAnchor(LayoutAttribute::top)),
        webView_->anchor(LayoutAttribute::bottom).constraint(root->anchor(LayoutAttribute::bottom)),
        webView_->anchor(LayoutAttribute::leading)
            .constraint(root->anchor(LayoutAttribute::leading)),
        webView_->anchor(LayoutAttribute::trailing)
            .constraint(root->anchor(LayoutAttribute::trailing)),
    });

    const std::weak_ptr<ThreeDSWebViewController> weak =
        std::static_pointer_cast<ThreeDSWebViewController>(shared_from_this());
    navigationItem().leftBarButtonItem = closeButton([weak] {
        if (const auto self = weak.lock()) self->closeButtonTapped();
    });
    webView_->setNavigationDelegate(weak.lock());
    webView_->load(platform::URLRequest(loadURL_,
                                        platform::URLRequestCachePolicy::useProtocolCachePolicy,
                                        platform::URLRequest::Seconds(60)));
}

void ThreeDSWebViewController::closeButtonTapped() {
    finish(ThreeDSResult::cancel);
}

void ThreeDSWebViewController::decidePolicyFor(
    platform::web::WebView&, const platform::web::NavigationAction& navigationAction,
    platform::web::NavigationDecisionHandler decisionHandler) {
    if (!returnMatcher_.matches(navigationAction.request.url())) {
        decisionHandler(NavigationActionPolicy::allow);
        return;
    }
    // The flow hears of the success before the page is stopped.
    finish(ThreeDSResult::success);
    decisionHandler(NavigationActionPolicy::cancel);
}

void ThreeDSWebViewController::didFinish(platform::web::WebView&) {
    // A page shown again (the person tried once more, or followed a link) is no longer failed.
    if (!failureImageView_) return;
    failureImageView_->removeFromSuperview();
    failureImageView_ = nullptr;
}

void ThreeDSWebViewController::didFail(platform::web::WebView&, const platform::URLError&) {
    // The page stays as the web view left it, its failure on show; only the close is left.
    if (failureImageView_) return;
    failureImageView_ = FailureImageView::make();
    addCentered(failureImageView_, view());
}

void ThreeDSWebViewController::finish(ThreeDSResult result) {
    // One outcome per screen: a second return navigation or a close after it is not news.
    if (result_) return;
    result_ = result;
    if (completion_) completion_(result);
}

}  // namespace corvend
