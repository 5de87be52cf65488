#include "CorvendCoreComponents/DreloFontTextStyle.hpp"

namespace corvend::components {

std::string_view name(DreloFontTextStyle style) {
    static constexpr std::array<std::string_view, 14> names = {
        "digits1",   "digits2",   "digits3", "title1", "title2", "title3",   "title4",
        "subtitle1", "subtitle2", "text1",   "text2",  "button", "caption1", "caption2",
    };
    return names[static_cast<std::size_t>(style)];
}

}  // namespace corvend::components
