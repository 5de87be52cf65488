#include "CorvendCoreComponents/Label.hpp"

#include "CorvendCoreComponents/Theme.hpp"

namespace corvend::components {

Label::Label(DreloFontTextStyle style, platform::ui::ColorPtr color) : style_(style) {
    setFont(Theme::defaultTheme()->fontDescriptionsProvider().scaledFont(style));
    setTextColor(std::move(color));
}

}  // namespace corvend::components
