#include "CorvendWallet/ui/foundation/CardTextFormatting.hpp"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/async/ProcessFork.hpp"

namespace corvend {

namespace unicode = platform::unicode;

namespace {

constexpr std::u32string_view kCardNumberGroupingMask = U"####-####-####-####";
constexpr std::size_t kExpiryDateLength = 5;
constexpr std::size_t kLastEditableExpiryPosition = 4;
constexpr std::size_t kExpiryMonthLength = 2;

bool isEmptyOrDigits(std::string_view text) {
    return text.empty() || unicode::allDecimalDigits(text);
}

}  // namespace

std::string cardNumberMask(std::string_view text) {
    std::u32string digits = unicode::scalars(text);
    std::erase(digits, U' ');
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), unicode::isDecimalDigit)) {
        return std::string(text);
    }
    std::string result;
    auto digit = digits.begin();
    for (char32_t place : kCardNumberGroupingMask) {
        if (digit == digits.end()) return result;
        if (place == U'#') {
            unicode::appendUTF8(result, *digit++);
        } else {
            result += ' ';
        }
    }
    for (; digit != digits.end(); ++digit) unicode::appendUTF8(result, *digit);
    return result;
}

bool editExpiryDateText(std::string& text, platform::UTF16Range range,
                        std::string_view replacement) {
    platform::ProcessFork::checkKitUsable("editExpiryDateText");
    if (!isEmptyOrDigits(replacement)) return false;
    if (range.location > kLastEditableExpiryPosition) return false;
    std::optional<std::string> edited = unicode::replacingUTF16Range(text, range, replacement);
    if (!edited || unicode::characterCount(*edited) > kExpiryDateLength) return false;
    // The slash the text keeps after the edit; typing over it ("12/" with "3" in its place) must
    // not leave the month and year run together.
    if (replacement.empty() || range.location == 0 || range.location > kExpiryMonthLength ||
        edited->find('/') != std::string::npos) {
        return true;
    }
    const std::vector<std::size_t> boundaries = unicode::characterBoundaries(*edited);
    const std::size_t characters = boundaries.size() - 1;
    // No month to follow yet (a digit joined to a sign before it is one character).
    if (characters < kExpiryMonthLength) return true;
    // The slash counts too: a paste that leaves no room for it is refused.
    if (characters + 1 > kExpiryDateLength) return false;
    edited->insert(boundaries[kExpiryMonthLength], "/");
    text = std::move(*edited);
    return false;
}

bool acceptsCvvInput(std::string_view text, platform::UTF16Range range,
                     std::string_view replacement, std::size_t maxLength) {
    platform::ProcessFork::checkKitUsable("acceptsCvvInput");
    if (!isEmptyOrDigits(replacement)) return false;
    const std::optional<std::string> edited =
        unicode::replacingUTF16Range(text, range, replacement);
    return edited && unicode::characterCount(*edited) <= maxLength;
}

std::optional<std::string> brandNames(std::span<const CardType> types) {
    std::optional<std::string> names;
    for (CardType type : types) {
        const char* name = type == CardType::masterCard ? "Mastercard"
                           : type == CardType::visa     ? "Visa"
                                                        : nullptr;
        if (name == nullptr) continue;
        names = names ? *names + ", " + name : std::string(name);
    }
    return names;
}

}  // namespace corvend
