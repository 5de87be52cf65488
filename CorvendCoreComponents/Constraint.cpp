#include "CorvendCoreComponents/Constraint.hpp"

namespace corvend::components {

using platform::ui::LayoutAttribute;

std::vector<platform::ui::LayoutConstraintPtr> Constraint::Container::fill(
    const platform::ui::View& view, const platform::ui::View& embeddedView, double top,
    double bottom, double leading, double trailing) {
    const auto pin = [&](LayoutAttribute attribute, double constant) {
        return embeddedView.anchor(attribute).constraint(view.anchor(attribute), constant);
    };
    return {pin(LayoutAttribute::top, top), pin(LayoutAttribute::bottom, bottom),
            pin(LayoutAttribute::leading, leading), pin(LayoutAttribute::trailing, trailing)};
}

}  // namespace corvend::components
