#include "platform/foundation/Decimal.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace corvend::platform {
namespace {

TEST(DecimalTest, ReadsAndWritesItsOwnDigits) {
    // Each input with the toString() of the value read.
    std::vector<std::pair<std::string, std::string>> cases = {{"0.00000001", "1e-8"},
                                                              {"1E-10", "1e-10"},
                                                              {"1e+2", "1e2"},
                                                              {"-2.50E-3", "-0.00250"},
                                                              {"123.456e1", "1234.56"}};
    for (const char* same :
         {"-0", "1.0850", "1200", "0.0000001", "0e5", "12345678901234567890123456789012345678",
          "0.00012345678901234567890123456789012345678",
          "-9.9999999999999999999999999999999999999e999999"}) {
        cases.emplace_back(same, same);
    }
    for (const auto& [input, text] : cases) {
        SCOPED_TRACE(input);
        const std::optional<Decimal> value = Decimal::fromString(input);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(value->toString(), text);
        // The text form reads back as the very same digits and exponent.
        const std::optional<Decimal> again = Decimal::fromString(value->toString());
        ASSERT_TRUE(again.has_value());
        EXPECT_EQ(again->toString(), text);
        EXPECT_EQ(again->exponent(), value->exponent());
    }
}

TEST(DecimalTest, RefusesWhatIsNoJSONNumberOrTooLong) {
    for (const char* text :
         {"", "-", "+1", "01", "1.", ".5", "1e", " 1", "0x10", "NaN", "١",
          // Exponents beyond the bounds.
          "1e1000000", "1e-1000000", "0.5e-999999",
          // 39 significant digits, trailing zeros included.
          "123456789012345678901234567890123456789", "100000000000000000000000000000000000000",
          "1.00000000000000000000000000000000000000"}) {
        EXPECT_FALSE(Decimal::fromString(text).has_value()) << text;
    }
    // Leading zeros are not significant.
    EXPECT_TRUE(Decimal::fromString("0.0000000000000000000000000000000000000000001").has_value());
    EXPECT_TRUE(Decimal::fromString("1e999999").has_value());
}

TEST(DecimalTest, ComparesByValue) {
    auto d = [](const char* text) { return *Decimal::fromString(text); };
    EXPECT_EQ(d("1.5"), d("1.50"));
    EXPECT_EQ(d("100"), d("1e2"));
    EXPECT_EQ(d("0"), d("-0"));
    EXPECT_EQ(d("0"), d("0e-30"));

    // Ascending; neighbours differ in sign, exponent or only the last of 38 digits.
    std::vector<Decimal> ascending;
    for (const char* text : {"-1e999999", "-12345678901234567890123456789012345679", "-1.5", "0",
                             "1e-999999", "0.1", "0.10000000000000000000000000000000000001", "1",
                             "1e2", "12345678901234567890123456789012345678", "1e38"}) {
        ascending.push_back(d(text));
    }
    for (std::size_t i = 0; i < ascending.size(); ++i) {
        for (std::size_t j = 0; j < ascending.size(); ++j) {
            SCOPED_TRACE(ascending[i].toString() + " vs " + ascending[j].toString());
            EXPECT_EQ(ascending[i] < ascending[j], i < j);
            EXPECT_EQ(ascending[i] == ascending[j], i == j);
        }
    }
}

TEST(DecimalTest, BuildsFromIntegers) {
    EXPECT_EQ(Decimal(10850, -4).toString(), "1.0850");
    EXPECT_EQ(Decimal(42).toString(), "42");
    EXPECT_EQ(Decimal(std::numeric_limits<std::int64_t>::min()).toString(), "-9223372036854775808");
    EXPECT_EQ(Decimal(1, 2'000'000).exponent(), Decimal::kMaxExponent);
}

TEST(DecimalTest, ConvertsToNearestDouble) {
    auto toDouble = [](const char* text) { return Decimal::fromString(text)->toDouble(); };
    EXPECT_EQ(toDouble("0.1"), 0.1);
    EXPECT_EQ(toDouble("9007199254740993"), 9007199254740992.0);
    EXPECT_EQ(toDouble("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(toDouble("1e-400"), 0.0);
    EXPECT_TRUE(std::signbit(toDouble("-1e-400")));
}

}  // namespace
}  // namespace corvend::platform
