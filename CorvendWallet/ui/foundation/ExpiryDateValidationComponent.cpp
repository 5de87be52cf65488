#include "CorvendWallet/ui/foundation/ExpiryDateValidationComponent.hpp"

#include <charconv>
#include <system_error>

namespace corvend {

namespace {

// An optional "+" or "-" and ASCII digits, nothing else; 0 for any other text or on overflow.
std::int64_t integerOrZero(std::string_view text) {
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.front() < '0' || digits.front() > '9') return 0;
    // from_chars reads the "-" itself but not a "+".
    const std::string_view number = text.front() == '+' ? digits : text;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size()) return 0;
    return value;
}

}  // namespace

std::optional<ExpiryDateValidationComponent> ExpiryDateValidationComponent::parse(
    std::string_view text) {
    // The first non-empty piece before a "/", then everything after that "/".
    std::string_view rest = text;
    std::size_t slash = rest.find('/');
    while (slash == 0) {
        rest.remove_prefix(1);
        slash = rest.find('/');
    }
    if (slash == std::string_view::npos) return std::nullopt;
    const std::string_view month = rest.substr(0, slash);
    const std::string_view year = rest.substr(slash + 1);
    if (year.empty()) return std::nullopt;
    return ExpiryDateValidationComponent{integerOrZero(month), integerOrZero(year)};
}

}  // namespace corvend
