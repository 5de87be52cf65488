#include "CorvendCoreComponents/ViewLayout.hpp"

#include "CorvendCoreComponents/Constraint.hpp"

namespace corvend::components {

void setFillingView(platform::ui::View& receiver, const platform::ui::ViewPtr& view, double top,
                    double bottom, double leading, double trailing) {
    receiver.addSubview(view);
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    platform::ui::LayoutConstraint::activate(
        Constraint::Container::fill(receiver, *view, top, -bottom, leading, -trailing));
}

void setCornerRadius(platform::ui::View& view, double radius, bool masksToBounds) {
    view.setCornerRadius(radius);
    view.setMasksToBounds(masksToBounds);
}

}  // namespace corvend::components
