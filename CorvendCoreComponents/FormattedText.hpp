#pragma once

#include <optional>
#include <string>

#include "CorvendCoreComponents/DreloFontTextStyle.hpp"
#include "platform/ui/AttributedString.hpp"

namespace corvend::components {

// `text` in a text style of the configured theme: its font, its line height as minimum and
// maximum, its baseline offset, and the colour, alignment and line-break mode when given.
platform::ui::AttributedString formattedText(
    const std::string& text, DreloFontTextStyle style, platform::ui::ColorPtr color = {},
    std::optional<platform::ui::TextAlignment> alignment = std::nullopt,
    std::optional<platform::ui::LineBreakMode> lineBreakMode = std::nullopt);

}  // namespace corvend::components
