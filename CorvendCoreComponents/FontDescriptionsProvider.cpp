#include "CorvendCoreComponents/FontDescriptionsProvider.hpp"

namespace corvend::components {

using platform::ui::DynamicTextStyle;
using platform::ui::Font;

namespace {

FontDescription describe(const Font& font) {
    return FontDescription{font, font.pointSize, font.lineHeight, 0};
}

}  // namespace

FontDescriptionsProvider::FontDescriptionsProvider(
    const std::map<DreloFontTextStyle, Font>& textStyles) {
    for (const auto& [style, font] : textStyles) descriptions_.emplace(style, describe(font));
}

DynamicTextStyle FontDescriptionsProvider::pairedDynamicStyle(DreloFontTextStyle style) {
    switch (style) {
        case DreloFontTextStyle::digits1:
            return DynamicTextStyle::largeTitle;
        case DreloFontTextStyle::digits2:
        case DreloFontTextStyle::title1:
            return DynamicTextStyle::title1;
        case DreloFontTextStyle::digits3:
        case DreloFontTextStyle::title2:
            return DynamicTextStyle::title2;
        case DreloFontTextStyle::title3:
            return DynamicTextStyle::title3;
        case DreloFontTextStyle::title4:
        case DreloFontTextStyle::subtitle1:
        case DreloFontTextStyle::button:
            return DynamicTextStyle::headline;
        case DreloFontTextStyle::subtitle2:
            return DynamicTextStyle::subheadline;
        case DreloFontTextStyle::text1:
            return DynamicTextStyle::body;
        case DreloFontTextStyle::text2:
            return DynamicTextStyle::callout;
        case DreloFontTextStyle::caption1:
            return DynamicTextStyle::caption1;
        case DreloFontTextStyle::caption2:
            return DynamicTextStyle::caption2;
    }
    return DynamicTextStyle::body;
}

FontDescription FontDescriptionsProvider::description(DreloFontTextStyle style) const {
    if (const auto found = descriptions_.find(style); found != descriptions_.end())
        return found->second;
    return describe(Font::preferred(pairedDynamicStyle(style)));
}

Font FontDescriptionsProvider::scaledFont(DreloFontTextStyle style) const {
    return description(style).font.scaled(pairedDynamicStyle(style));
}

}  // namespace corvend::components
