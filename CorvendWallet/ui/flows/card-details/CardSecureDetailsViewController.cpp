#include "CorvendWallet/ui/flows/card-details/CardSecureDetailsViewController.hpp"

#include <stdexcept>
#include <utility>

#include "CorvendCoreComponents/BaseTheme.hpp"
#include "CorvendWallet/ui/foundation/AnyObjectLifecycleTracker.hpp"
#include "CorvendWallet/ui/foundation/Appearance.hpp"
#include "CorvendWallet/ui/foundation/CenteredSubview.hpp"
#include "CorvendWallet/ui/foundation/FailureImageView.hpp"
#include "CorvendWallet/ui/foundation/LoadingIndicator.hpp"
#include "platform/http/URLRequest.hpp"
#include "platform/ui/LayoutConstraint.hpp"

namespace corvend {

using platform::ui::LayoutAttribute;
using platform::ui::LayoutConstraint;

std::shared_ptr<CardSecureDetailsViewController> CardSecureDetailsViewController::make(
    std::shared_ptr<CardSecureDetailsInteractorInput> interactor) {
    auto viewController =
        std::make_shared<CardSecureDetailsViewController>(Passkey{}, std::move(interactor));
    AnyObjectLifecycleTracker::attach(
        *viewController, [interactor = viewController->interactor_] { interactor->cancel(); });
    return viewController;
}

CardSecureDetailsViewController::CardSecureDetailsViewController(
    Passkey, std::shared_ptr<CardSecureDetailsInteractorInput> interactor)
    : interactor_(std::move(interactor)) {
    if (!interactor_) throw std::invalid_argument("the secure-details screen needs its interactor");
}

const std::shared_ptr<platform::web::WebView>& CardSecureDetailsViewController::webView() {
    if (!webView_) {
        webView_ = std::make_shared<platform::web::WebView>(
            platform::web::WebViewConfiguration{.nonPersistentDataStore = true});
        webView_->setTranslatesAutoresizingMaskIntoConstraints(false);
    }
    return webView_;
}

const std::shared_ptr<platform::ui::ActivityIndicatorView>&
CardSecureDetailsViewController::loadingIndicator() {
    if (!loadingIndicator_) loadingIndicator_ = makeLoadingIndicator();
    return loadingIndicator_;
}

const std::shared_ptr<platform::ui::ImageView>&
CardSecureDetailsViewController::failureImageView() {
    if (!failureImageView_) failureImageView_ = FailureImageView::make();
    return failureImageView_;
}

void CardSecureDetailsViewController::viewDidLoad() {
    ViewController::viewDidLoad();
    // Shown before the kit is configured, the screen still needs a theme to draw its failure.
    Appearance::applyDefaultUnlessApplied();
    setupViews();
    loadingIndicator()->startAnimating();
    interactor_->loadSecureDetails();
}

void CardSecureDetailsViewController::setupViews() {
    const auto root = view();
    root->addSubview(webView());
    root->setBackgroundColor(components::BaseTheme::background());
    webView()->setOpaque(false);
    LayoutConstraint::activate({
        webView()
            ->anchor(LayoutAttribute::leading)
            .constraint(root->anchor(LayoutAttribute::leading)),
        webView()
            ->anchor(LayoutAttribute::trailing)
            .constraint(root->anchor(LayoutAttribute::trailing)),
        webView()->anchor(LayoutAttribute::top).constraint(root->anchor(LayoutAttribute::top)),
        webView()
            ->anchor(LayoutAttribute::bottom)
            .constraint(root->anchor(LayoutAttribute::bottom)),
    });
    addCentered(loadingIndicator(), root);
}

void CardSecureDetailsViewController::showSecureDetails(const platform::URL& url) {
    loadingIndicator()->stopAnimating();
    webView()->load(platform::URLRequest(url,
                                         platform::URLRequestCachePolicy::useProtocolCachePolicy,
                                         platform::URLRequest::Seconds(60)));
}

void CardSecureDetailsViewController::showFailure() {
    loadingIndicator()->stopAnimating();
    addCentered(failureImageView(), view());
}

}  // namespace corvend
