#pragma once

#include "platform/ui/View.hpp"

namespace corvend::components {

// Adds `view` to `receiver` and pins it to all four edges, inset by the given (non-negative)
// amounts; the constraints are active.
void setFillingView(platform::ui::View& receiver, const platform::ui::ViewPtr& view, double top = 0,
                    double bottom = 0, double leading = 0, double trailing = 0);

// Rounds the view's corners and chooses whether it clips to them.
void setCornerRadius(platform::ui::View& view, double radius, bool masksToBounds = true);

}  // namespace corvend::components
