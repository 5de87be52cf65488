#include "CorvendWallet/ui/foundation/CardTextFormatting.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace corvend {
namespace {

using platform::UTF16Range;

TEST(CardTextFormattingTest, MaskGroupsDigitsInFours) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"4111111111111111", "4111 1111 1111 1111"},
        {"41111", "4111 1"},
        {"4111", "4111"},
        {"4111 1111 1", "4111 1111 1"},
        {" 41 11 1", "4111 1"},
        {"41111111111111112222", "4111 1111 1111 11112222"},
        {"\u0664\u0661\u0661\u0661\u0661", "\u0664\u0661\u0661\u0661 \u0661"},
        {"4111-1111", "4111-1111"},
        {"41a1", "41a1"},
        {"", ""},
        {"   ", "   "},
    };
    for (const auto& [input, masked] : cases) {
        EXPECT_EQ(cardNumberMask(input), masked) << input;
        EXPECT_EQ(cardNumberMask(masked), masked) << input;
    }
}

struct Edit {
    std::string before;
    UTF16Range range;
    std::string replacement;
    bool fieldApplies;
    std::string after;
};

TEST(CardTextFormattingTest, ExpiryEditingInsertsTheSlashAndKeepsFiveCharacters) {
    constexpr auto kHuge = std::numeric_limits<std::size_t>::max();
    const std::vector<Edit> edits = {
        {"", {0, 0}, "1", true, "1"},
        {"1", {1, 0}, "2", false, "12/"},
        {"12/", {3, 0}, "2", true, "12/2"},
        {"12/2", {4, 0}, "5", true, "12/25"},
        {"12/25", {5, 0}, "1", false, "12/25"},
        {"12/25", {5, 0}, "", false, "12/25"},
        {"12/25", {4, 1}, "", true, "12/2"},
        {"12/2", {3, 0}, "a", false, "12/2"},
        {"12/", {2, 1}, "", true, "12"},
        {"12", {2, 0}, "3", false, "12/3"},
        // Typed over the slash: it comes back after the month.
        {"12/", {2, 1}, "3", false, "12/3"},
        {"12/", {1, 2}, "5", false, "15/"},
        {"12/4", {2, 1}, "3", false, "12/34"},
        {"12/45", {2, 1}, "3", false, "12/45"},
        // One character only (a sign joins the digit after it): no month yet, no slash.
        {"\u0600", {1, 0}, "5", true, "\u06005"},
        {"", {0, 0}, "1225", true, "1225"},
        {"1", {1, 0}, "225", false, "12/25"},
        // No room for the slash after the paste.
        {"1", {1, 0}, "2253", false, "1"},
        {"12", {3, 0}, "", false, "12"},
        {"12", {1, kHuge}, "", false, "12"},
        {"12", {kHuge, 2}, "", false, "12"},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.before + " + " + edit.replacement + " at " +
                     std::to_string(edit.range.location));
        std::string text = edit.before;
        const bool applies = editExpiryDateText(text, edit.range, edit.replacement);
        EXPECT_EQ(applies, edit.fieldApplies);
        if (applies)
            text = *platform::unicode::replacingUTF16Range(text, edit.range, edit.replacement);
        EXPECT_EQ(text, edit.after);
    }
}

TEST(CardTextFormattingTest, SecurityCodeTakesDigitsUpToItsLength) {
    // Text, range, replacement, maximum length, accepted.
    const std::vector<std::tuple<std::string, UTF16Range, std::string, std::size_t, bool>> edits = {
        {"", {0, 0}, "1", 3, true},     {"12", {2, 0}, "3", 3, true},
        {"123", {3, 0}, "4", 3, false}, {"12", {2, 0}, "a", 3, false},
        {"123", {2, 1}, "", 3, true},   {"", {0, 0}, "\u0661", 3, true},
        {"12", {5, 0}, "3", 3, false},  {"", {0, 0}, "1", 0, false},
        {"", {0, 0}, "", 0, true}};
    for (const auto& [text, range, replacement, maxLength, accepted] : edits) {
        EXPECT_EQ(acceptsCvvInput(text, range, replacement, maxLength), accepted)
            << text << " + " << replacement << " max " << maxLength;
    }
}

TEST(CardTextFormattingTest, BrandNamesOfTheBrandsThatHaveOne) {
    const std::vector<std::pair<std::vector<CardType>, std::optional<std::string>>> cases = {
        {{CardType::visa}, "Visa"},
        {{CardType::masterCard, CardType::visa}, "Mastercard, Visa"},
        {{CardType::visa, CardType::unknown, CardType::visa}, "Visa, Visa"},
        {{CardType::tembroPrepaidMasterCard}, std::nullopt},
        {{}, std::nullopt},
    };
    for (const auto& [types, names] : cases) EXPECT_EQ(brandNames(types), names);
}

}  // namespace
}  // namespace corvend
