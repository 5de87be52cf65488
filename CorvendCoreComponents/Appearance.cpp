#include "CorvendCoreComponents/Appearance.hpp"

#include <typeindex>

#include "CorvendCoreComponents/Theme.hpp"
#include "CorvendCoreComponents/ThemedNavigationBar.hpp"
#include "platform/ui/BarButtonItemAppearance.hpp"

namespace corvend::components::Appearance {

void setNavigationBarButtonAppearance(bool isGlobal) {
    using platform::ui::ControlState;
    const auto theme = Theme::defaultTheme();
    const auto font = theme->fontDescriptionsProvider().scaledFont(DreloFontTextStyle::text1);
    platform::ui::BarButtonItemAppearance::set(
        {theme->colorPalette().labelColor.primary.onBase,
         {{ControlState::normal, font}, {ControlState::highlighted, font}}},
        isGlobal ? std::nullopt : std::optional(std::type_index(typeid(ThemedNavigationBar))));
}

}  // namespace corvend::components::Appearance
