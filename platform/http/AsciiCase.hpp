#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace corvend::platform::detail {

// HTTP field names are ASCII and compared regardless of case; the C locale's tolower would
// depend on the process locale, so these fold only 'A'-'Z'.
constexpr char asciiLower(char c) noexcept {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

inline std::string asciiLowercased(std::string_view text) {
    std::string out(text);
    std::ranges::transform(out, out.begin(), asciiLower);
    return out;
}

inline bool asciiEqualsIgnoringCase(std::string_view a, std::string_view b) noexcept {
    return a.size() == b.size() &&
           std::ranges::equal(a, b, [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

}  // namespace corvend::platform::detail
