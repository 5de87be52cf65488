#include "CorvendWallet/ui/flows/card-deposit/DepositRootViewController.hpp"

#include "CorvendCoreComponents/BaseTheme.hpp"
#include "CorvendWallet/ui/foundation/LoadingIndicator.hpp"
#include "platform/ui/LayoutConstraint.hpp"

namespace corvend {

const std::shared_ptr<platform::ui::ActivityIndicatorView>&
DepositRootViewController::loadingIndicator() {
    if (!loadingIndicator_) loadingIndicator_ = makeLoadingIndicator();
    return loadingIndicator_;
}

void DepositRootViewController::viewDidLoad() {
    using platform::ui::LayoutAttribute;
    const platform::ui::ViewPtr root = view();
    root->addSubview(loadingIndicator());
    root->setBackgroundColor(components::BaseTheme::background());
    platform::ui::LayoutConstraint::activate({
        loadingIndicator()
            ->anchor(LayoutAttribute::centerX)
            .constraint(root->anchor(LayoutAttribute::centerX)),
        loadingIndicator()
            ->anchor(LayoutAttribute::centerY)
            .constraint(root->anchor(LayoutAttribute::centerY)),
    });
    if (output_) output_->viewDidLoad();
}

void DepositRootViewController::startLoading() {
    loadingIndicator()->startAnimating();
}

void DepositRootViewController::stopLoading() {
    loadingIndicator()->stopAnimating();
}

}  // namespace corvend
