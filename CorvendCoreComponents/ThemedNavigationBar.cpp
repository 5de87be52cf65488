#include "CorvendCoreComponents/ThemedNavigationBar.hpp"

#include "CorvendCoreComponents/Theme.hpp"

namespace corvend::components {

ThemedNavigationBar::ThemedNavigationBar() {
    const auto theme = Theme::defaultTheme();
    const auto& palette = theme->colorPalette();
    setBackgroundColor(palette.background.base);
    setTintColor(palette.labelColor.primary.onBase);
    if (const auto arrow = theme->assets().uiArrowLeftTemplate.image())
        backIndicatorImage_ =
            arrow->withRenderingMode(platform::ui::ImageRenderingMode::alwaysTemplate);
}

}  // namespace corvend::components
