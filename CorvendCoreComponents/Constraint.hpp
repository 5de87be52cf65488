#pragma once

#include <vector>

#include "platform/ui/View.hpp"

namespace corvend::components {

struct Constraint {
    struct Container {
        // Four inactive constraints, in this order: embedded top = view top + top, bottom =
        // bottom + bottom, leading = leading + leading, trailing = trailing + trailing (so a
        // negative bottom and trailing inset the embedded view).
        static std::vector<platform::ui::LayoutConstraintPtr> fill(
            const platform::ui::View& view, const platform::ui::View& embeddedView, double top = 0,
            double bottom = 0, double leading = 0, double trailing = 0);
    };
};

}  // namespace corvend::components
