#include "platform/foundation/NumberFormatter.hpp"

#include <unicode/locid.h>
#include <unicode/numberformatter.h>
#include <unicode/ucurr.h>

#include <utility>

namespace corvend::platform {

namespace {

constexpr int kDefaultFractionDigits = 2;

bool isCurrencyCode(std::u16string_view code) {
    if (code.size() != 3) return false;
    for (char16_t c : code) {
        if (!((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))) return false;
    }
    return true;
}

}  // namespace

NumberFormatter::NumberFormatter(std::u16string currencyCode, Locale locale, int fractionDigits)
    : currencyCode_(std::move(currencyCode)),
      locale_(std::move(locale)),
      fractionDigits_(fractionDigits) {}

NumberFormatter NumberFormatter::currency(std::string_view currencyCode, Locale locale) {
    // One code for both the digits and the text: ICU's digit table knows only upper case, while
    // its formatting upper-cases by itself, so "jpy" would divide by 100 and show yen.
    std::u16string code(currencyCode.begin(), currencyCode.end());
    for (char16_t& c : code) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    int digits = kDefaultFractionDigits;
    if (isCurrencyCode(code)) {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t read = ucurr_getDefaultFractionDigits(code.c_str(), &status);
        if (U_SUCCESS(status)) digits = read;
    }
    return NumberFormatter(std::move(code), std::move(locale), digits);
}

std::optional<std::string> NumberFormatter::string(const Decimal& number) const {
    if (!isCurrencyCode(currencyCode_)) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    const icu::CurrencyUnit unit(currencyCode_.c_str(), status);
    if (U_FAILURE(status)) return std::nullopt;
    const std::string digits = number.toString();
    const icu::number::FormattedNumber formatted =
        icu::number::NumberFormatter::withLocale(icu::Locale(locale_.identifier().c_str()))
            .unit(unit)
            .formatDecimal(icu::StringPiece(digits.data(), static_cast<int32_t>(digits.size())),
                           status);
    if (U_FAILURE(status)) return std::nullopt;
    const icu::UnicodeString text = formatted.toString(status);
    if (U_FAILURE(status)) return std::nullopt;
    std::string result;
    text.toUTF8String(result);
    return result;
}

}  // namespace corvend::platform
