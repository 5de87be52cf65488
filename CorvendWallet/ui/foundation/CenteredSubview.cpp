#include "CorvendWallet/ui/foundation/CenteredSubview.hpp"

#include "platform/ui/LayoutConstraint.hpp"

namespace corvend {

void addCentered(const platform::ui::ViewPtr& view, const platform::ui::ViewPtr& root) {
    using platform::ui::LayoutAttribute;
    root->addSubview(view);
    platform::ui::LayoutConstraint::activate({
        view->anchor(LayoutAttribute::centerX).constraint(root->anchor(LayoutAttribute::centerX)),
        view->anchor(LayoutAttribute::centerY).constraint(root->anchor(LayoutAttribute::centerY)),
    });
}

}  // namespace corvend
