#include "CorvendWallet/ui/flows/card-deposit/DepositRootViewController.hpp"

#include "CorvendCoreComponents/BaseTheme.hpp"
#include "CorvendWallet/ui/foundation/CenteredSubview.hpp"
#include "CorvendWallet/ui/foundation/LoadingIndicator.hpp"

namespace corvend {

const std::shared_ptr<platform::ui::ActivityIndicatorView>&
DepositRootViewController::loadingIndicator() {
    if (!loadingIndicator_) loadingIndicator_ = makeLoadingIndicator();
    return loadingIndicator_;
}

void DepositRootViewController::viewDidLoad() {
    const platform::ui::ViewPtr root = view();
    addCentered(loadingIndicator(), root);
    root->setBackgroundColor(components::BaseTheme::background());
    if (output_) output_->viewDidLoad();
}

void DepositRootViewController::startLoading() {
    loadingIndicator()->startAnimating();
}

void DepositRootViewController::stopLoading() {
    loadingIndicator()->stopAnimating();
}

}  // namespace corvend
