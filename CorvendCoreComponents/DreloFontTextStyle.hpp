#pragma once

#include <array>
#include <string_view>

namespace corvend::components {

// The library's text styles, in their declared order.
enum class DreloFontTextStyle {
    digits1,
    digits2,
    digits3,
    title1,
    title2,
    title3,
    title4,
    subtitle1,
    subtitle2,
    text1,
    text2,
    button,
    caption1,
    caption2,
};

inline constexpr std::array<DreloFontTextStyle, 14> allDreloFontTextStyles = {
    DreloFontTextStyle::digits1,  DreloFontTextStyle::digits2,   DreloFontTextStyle::digits3,
    DreloFontTextStyle::title1,   DreloFontTextStyle::title2,    DreloFontTextStyle::title3,
    DreloFontTextStyle::title4,   DreloFontTextStyle::subtitle1, DreloFontTextStyle::subtitle2,
    DreloFontTextStyle::text1,    DreloFontTextStyle::text2,     DreloFontTextStyle::button,
    DreloFontTextStyle::caption1, DreloFontTextStyle::caption2,
};

// The style's name as written in the library's text-style list ("title1").
std::string_view name(DreloFontTextStyle style);

}  // namespace corvend::components
