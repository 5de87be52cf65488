#pragma once

#include "platform/ui/View.hpp"

namespace corvend {

// Adds `view` to `root`, above what it shows, centred in it by constraints: how the screens place
// their spinner and their failure picture. Main thread.
void addCentered(const platform::ui::ViewPtr& view, const platform::ui::ViewPtr& root);

}  // namespace corvend
