#pragma once

#include "platform/ui/Color.hpp"

namespace corvend::components {

// Shortcuts to two colours of the configured theme; they stop as Theme::defaultTheme does.
struct BaseTheme {
    // colorPalette.background.base
    static platform::ui::ColorPtr background();
    // colorPalette.background.element.separator
    static platform::ui::ColorPtr divider();
};

}  // namespace corvend::components
