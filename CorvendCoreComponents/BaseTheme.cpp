#include "CorvendCoreComponents/BaseTheme.hpp"

#include "CorvendCoreComponents/Theme.hpp"

namespace corvend::components {

platform::ui::ColorPtr BaseTheme::background() {
    return Theme::defaultTheme()->colorPalette().background.base;
}

platform::ui::ColorPtr BaseTheme::divider() {
    return Theme::defaultTheme()->colorPalette().background.element.separator;
}

}  // namespace corvend::components
