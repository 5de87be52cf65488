#include "platform/foundation/Unicode.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace corvend::platform::unicode {
namespace {

TEST(UnicodeTest, CountsUserPerceivedCharactersAndUTF16Units) {
    // Text, characters, UTF-16 units.
    const std::vector<std::tuple<std::string, std::size_t, std::size_t>> cases = {
        {"", 0, 0},           {"12/25", 5, 5},
        {"\r\n", 1, 2},       {"e\u0301", 1, 2},
        {"\U0001F600", 1, 2}, {"\U0001F1E9\U0001F1EA1", 2, 5},  // a flag and a digit
        {"1\xff", 2, 2},                                        // a bad byte stands for U+FFFD
    };
    for (const auto& [text, characters, units] : cases) {
        EXPECT_EQ(characterCount(text), characters) << text;
        EXPECT_EQ(utf16Length(text), units) << text;
    }
}

TEST(UnicodeTest, TellsWellFormedUTF8FromEveryIllFormedKind) {
    const std::vector<std::string> wellFormed = {
        "",           "plain",      "\u00e9t\u00e9",          "\u20ac",
        "\U0001F600", "\U0010FFFF", std::string("nul\0in", 6)};
    for (const auto& text : wellFormed) {
        EXPECT_TRUE(isWellFormedUTF8(text)) << text;
    }
    for (const std::string text : {
             "\xff",              // never a UTF-8 byte
             "\x80",              // a continuation byte alone
             "\xc3",              // a sequence cut short at the end
             "\xe2\x82",          // the same, in three bytes
             "\xc3(",             // a lead byte not followed by a continuation
             "\xc0\xaf",          // an overlong "/"
             "\xe0\x80\xaf",      // the same in three bytes
             "\xed\xa0\x80",      // a UTF-16 surrogate
             "\xf4\x90\x80\x80",  // past U+10FFFF
             "ok\xffok",          // a bad byte in the middle
         }) {
        EXPECT_FALSE(isWellFormedUTF8(text)) << ::testing::PrintToString(text);
    }
}

TEST(UnicodeTest, ReplacesOnlyWholeCharactersInsideTheText) {
    // Text, UTF-16 location and length, replacement, result.
    const std::vector<std::tuple<std::string, UTF16Range, std::string, std::optional<std::string>>>
        cases = {
            {"1234", {1, 2}, "x", "1x4"},
            {"1234", {4, 0}, "5", "12345"},
            {"1234", {5, 0}, "5", std::nullopt},
            {"1234", {3, 2}, "", std::nullopt},
            {"a\U0001F600b", {1, 2}, "", "ab"},
            {"a\U0001F600b", {2, 1}, "", std::nullopt},  // half a surrogate pair
            {"e\u0301x", {1, 1}, "", std::nullopt},      // a mark without its letter
            {"", {0, 0}, "", ""},
        };
    for (const auto& [text, range, replacement, result] : cases) {
        EXPECT_EQ(replacingUTF16Range(text, range, replacement), result) << text;
    }
}

}  // namespace
}  // namespace corvend::platform::unicode
