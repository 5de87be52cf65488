#pragma once

#include <memory>

#include "CorvendCoreComponents/CornerRadiusValues.hpp"
#include "CorvendCoreComponents/Theme.hpp"

// A complete theme for the component library's tests: light and dark colours that tell the
// styles apart, and the four assets as system symbols.
namespace corvend::components::testing {

inline platform::ui::ColorPtr dayAndNight(double grey) {
    using platform::ui::Color;
    return Color::dynamic(Color::rgba(grey, grey, grey, 1),
                          Color::rgba(1 - grey, 1 - grey, 1 - grey, 1));
}

inline SemanticColorPalette palette() {
    const auto primary = dayAndNight(0.1);
    const auto secondary = dayAndNight(0.3);
    const auto action = dayAndNight(0.5);
    const auto disabled = dayAndNight(0.7);
    SemanticColorPalette p;
    p.background = {dayAndNight(0.95),
                    dayAndNight(0.9),
                    disabled,
                    {disabled, secondary, dayAndNight(0.8)},
                    {dayAndNight(0.85)}};
    p.labelColor = {{primary, primary, dayAndNight(0.9)},
                    {secondary, secondary, dayAndNight(0.8)},
                    {disabled, disabled}};
    p.specialForeground = {platform::ui::Color::rgba(0.8, 0.1, 0.2, 1), dayAndNight(0.4)};
    p.action = {{action, action, disabled},
                {action, action, disabled},
                {action, secondary, disabled},
                {dayAndNight(0.6), action, disabled}};
    return p;
}

inline CorvendCoreComponentsAssets assets() {
    using Asset = CorvendCoreComponentsImageAsset;
    return {Asset::system("square"), Asset::system("checkmark.square.fill"),
            Asset::system("chevron.left"), Asset::system("exclamationmark.triangle")};
}

inline void configureTheme() {
    Theme::configure(palette(), FontDescriptionsProvider(), 2,
                     std::make_shared<CornerRadiusValues>(16, 8, 2), assets());
}

}  // namespace corvend::components::testing
