#include "platform/foundation/NumberFormatter.hpp"

#include <gtest/gtest.h>
#include <unicode/ucurr.h>
#include <unicode/uenum.h>

#include <cctype>
#include <memory>
#include <regex>
#include <string>
#include <vector>

namespace corvend::platform {
namespace {

// Every currency ICU knows, as it names them.
std::vector<std::string> isoCurrencies() {
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UEnumeration, decltype(&uenum_close)> codes(
        ucurr_openISOCurrencies(UCURR_COMMON | UCURR_NON_DEPRECATED, &status), &uenum_close);
    std::vector<std::string> result;
    while (U_SUCCESS(status)) {
        const char* code = uenum_next(codes.get(), nullptr, &status);
        if (!code) break;
        result.emplace_back(code);
    }
    return result;
}

// The amount of a currency text in en_US ("KWD 0.001" → "0.001").
std::string amountOf(const std::string& text) {
    static const std::regex number(R"(\d[\d,]*(\.\d+)?)");
    std::smatch match;
    return std::regex_search(text, match, number) ? match.str() : "";
}

// The digits that turn minor units into the amount are the digits the text is written with:
// one minor unit shows as its own smallest step, in any letter case of the code.
TEST(NumberFormatterTest, OneMinorUnitShowsAsTheSmallestStepOfEveryCurrency) {
    const auto codes = isoCurrencies();
    ASSERT_GT(codes.size(), 100u);
    for (const auto& upper : codes) {
        std::string lower = upper;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (const auto& code : {upper, lower}) {
            const auto formatter = NumberFormatter::currency(code, Locale("en_US"));
            const int digits = formatter.maximumFractionDigits();
            const std::string step =
                digits == 0 ? "1"
                            : "0." + std::string(static_cast<std::size_t>(digits - 1), '0') + "1";
            const auto text = formatter.string(Decimal(1, -digits));
            ASSERT_TRUE(text) << code;
            EXPECT_EQ(amountOf(*text), step) << code << ": " << *text;
        }
    }
}

}  // namespace
}  // namespace corvend::platform
