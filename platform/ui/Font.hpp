#pragma once

#include <optional>
#include <string>

namespace corvend::platform::ui {

// The platform's Dynamic Type text styles.
enum class DynamicTextStyle {
    largeTitle,
    title1,
    title2,
    title3,
    headline,
    subheadline,
    body,
    callout,
    footnote,
    caption1,
    caption2,
};

// A font as data: nothing is rasterised. Scaling for Dynamic Type is recorded, not applied, so
// a test reads which text style a font follows.
struct Font {
    std::string name;
    double pointSize = 0;
    double lineHeight = 0;
    // The Dynamic Type style the font grows and shrinks with; absent for a fixed size.
    std::optional<DynamicTextStyle> scalingStyle;

    // A font of that name and size, with the platform's line height for it.
    static Font named(std::string name, double pointSize);
    static Font system(double pointSize);
    // The system font the platform prefers for a Dynamic Type style, scaling with it.
    static Font preferred(DynamicTextStyle style);

    // The same font, scaled for Dynamic Type with `style`.
    Font scaled(DynamicTextStyle style) const;

    friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace corvend::platform::ui
