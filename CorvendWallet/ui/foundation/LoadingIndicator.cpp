#include "CorvendWallet/ui/foundation/LoadingIndicator.hpp"

namespace corvend {

std::shared_ptr<platform::ui::ActivityIndicatorView> makeLoadingIndicator() {
    auto indicator = std::make_shared<platform::ui::ActivityIndicatorView>(
        platform::ui::ActivityIndicatorView::Style::medium);
    indicator->setHidesWhenStopped(true);
    indicator->setTranslatesAutoresizingMaskIntoConstraints(false);
    return indicator;
}

}  // namespace corvend
