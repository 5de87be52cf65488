#include "CorvendWallet/ui/foundation/MoneyFormatter.hpp"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

namespace corvend {
namespace {

constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
constexpr auto kMax = std::numeric_limits<std::int64_t>::max();

TEST(MoneyFormatterTest, ShowsExactMinorUnitsInTheLocalesPattern) {
    // Locale, amount, currency, text (ICU's own blanks: U+00A0 and U+202F).
    const std::vector<std::tuple<const char*, std::int64_t, const char*, const char*>> cases = {
        {"en_US", 123456, "USD", "$1,234.56"},
        {"en_US", 0, "USD", "$0.00"},
        {"en_US", -123456, "USD", "-$1,234.56"},
        {"en_US", 5, "EUR", "€0.05"},
        {"en_US", 123456, "GBP", "£1,234.56"},
        {"en_US", 123456, "JPY", "¥123,456"},
        {"en_US", 1234567, "KWD", "KWD\u00a01,234.567"},
        {"en_US", kMin, "USD", "-$92,233,720,368,547,758.08"},
        {"en_US", kMax, "JPY", "¥9,223,372,036,854,775,807"},
        {"de_DE", 123456, "EUR", "1.234,56\u00a0€"},
        {"de_DE", -123456, "USD", "-1.234,56\u00a0$"},
        {"de_DE", kMin, "KWD", "-9.223.372.036.854.775,808\u00a0KWD"},
        {"de_DE", 123456, "JPY", "123.456\u00a0¥"},
        // The code's letter case changes neither the digits nor the currency.
        {"en_US", 12345, "jpy", "¥12,345"},
        {"en_US", 12345, "kwd", "KWD\u00a012.345"},
        {"de_DE", 12345, "Eur", "123,45\u00a0€"},
        {"en_US", 100, "US", ""},
        {"en_US", 100, "U$D", ""},
    };
    for (const auto& [locale, amount, currency, text] : cases) {
        EXPECT_EQ(MoneyFormatter(platform::Locale(locale)).format(amount, currency), text)
            << locale << " " << amount << " " << currency;
    }
}

TEST(MoneyFormatterTest, FollowsTheCurrentLocaleAtEachCall) {
    const platform::Locale original = platform::Locale::current();
    const MoneyFormatter formatter;
    platform::Locale::setCurrent(platform::Locale("en_US"));
    EXPECT_EQ(formatter.format(123456, "EUR"), "€1,234.56");
    platform::Locale::setCurrent(platform::Locale("de_DE"));
    EXPECT_EQ(formatter.format(123456, "EUR"), "1.234,56\u00a0€");
    platform::Locale::setCurrent(original);
}

TEST(MoneyFormatterTest, SumsGiveNothingPastSixtyFourBits) {
    const std::vector<std::pair<std::vector<std::int64_t>, std::optional<std::int64_t>>> cases = {
        {{}, 0},
        {{1000, 25, 5}, 1030},
        {{kMax, 1, -1}, kMax},
        {{kMin, kMax}, -1},
        {{kMax, 1}, std::nullopt},
        {{kMin, -1}, std::nullopt},
        {{kMax, kMax, kMin, kMin}, -2},
    };
    for (const auto& [amounts, sum] : cases) EXPECT_EQ(MoneyFormatter::checkedSum(amounts), sum);
}

}  // namespace
}  // namespace corvend
