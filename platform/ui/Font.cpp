#include "platform/ui/Font.hpp"

#include <cmath>

namespace corvend::platform::ui {
namespace {

constexpr const char* systemFontName = "System";

// The platform's default sizes of the Dynamic Type styles at the standard content size.
double defaultSize(DynamicTextStyle style) {
    switch (style) {
        case DynamicTextStyle::largeTitle:
            return 34;
        case DynamicTextStyle::title1:
            return 28;
        case DynamicTextStyle::title2:
            return 22;
        case DynamicTextStyle::title3:
            return 20;
        case DynamicTextStyle::headline:
        case DynamicTextStyle::body:
            return 17;
        case DynamicTextStyle::subheadline:
            return 15;
        case DynamicTextStyle::callout:
            return 16;
        case DynamicTextStyle::footnote:
            return 13;
        case DynamicTextStyle::caption1:
            return 12;
        case DynamicTextStyle::caption2:
            return 11;
    }
    return 17;
}

}  // namespace

Font Font::named(std::string name, double pointSize) {
    // The system face's ascent plus descent is about 1.2 times its size.
    return Font{std::move(name), pointSize, std::ceil(pointSize * 1.2), std::nullopt};
}

Font Font::system(double pointSize) {
    return named(systemFontName, pointSize);
}

Font Font::preferred(DynamicTextStyle style) {
    return system(defaultSize(style)).scaled(style);
}

Font Font::scaled(DynamicTextStyle style) const {
    Font font = *this;
    font.scalingStyle = style;
    return font;
}

}  // namespace corvend::platform::ui
