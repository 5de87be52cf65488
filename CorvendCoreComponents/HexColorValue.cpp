#include "CorvendCoreComponents/HexColorValue.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>

namespace corvend::components {

platform::ui::ColorPtr hexColor(const HexColorValue& value) {
    std::string_view digits = value.hexValue;
    if (digits.starts_with('#')) digits.remove_prefix(1);
    const bool sixHexDigits =
        digits.size() == 6 &&
        std::ranges::all_of(digits, [](unsigned char c) { return std::isxdigit(c) != 0; });
    if (!sixHexDigits) return platform::ui::Color::clear();
    unsigned rgb = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), rgb, 16);
    const auto channel = [rgb](int shift) { return ((rgb >> shift) & 0xFF) / 255.0; };
    return platform::ui::Color::rgba(channel(16), channel(8), channel(0), value.alpha);
}

}  // namespace corvend::components
