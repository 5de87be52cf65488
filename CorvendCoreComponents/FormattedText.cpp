#include "CorvendCoreComponents/FormattedText.hpp"

#include "CorvendCoreComponents/Theme.hpp"

namespace corvend::components {

platform::ui::AttributedString formattedText(
    const std::string& text, DreloFontTextStyle style, platform::ui::ColorPtr color,
    std::optional<platform::ui::TextAlignment> alignment,
    std::optional<platform::ui::LineBreakMode> lineBreakMode) {
    const FontDescription description =
        Theme::defaultTheme()->fontDescriptionsProvider().description(style);
    platform::ui::TextRunAttributes attributes;
    attributes.font = description.font;
    attributes.foregroundColor = std::move(color);
    attributes.minimumLineHeight = description.lineHeight;
    attributes.maximumLineHeight = description.lineHeight;
    attributes.baselineOffset = description.baselineOffset;
    attributes.alignment = alignment;
    attributes.lineBreakMode = lineBreakMode;
    return platform::ui::AttributedString(text, std::move(attributes));
}

}  // namespace corvend::components
