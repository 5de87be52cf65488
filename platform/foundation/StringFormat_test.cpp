#include "platform/foundation/StringFormat.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace corvend::platform {
namespace {

TEST(StringFormatTest, FormatsTheConversionsOfTheTexts) {
    struct Row {
        const char* format;
        std::vector<FormatArgument> arguments;
        const char* locale;
        const char* expected;
    };
    const Row rows[] = {
        {"100%% sure, 50%%", {}, "en_US", "100% sure, 50%"},
        {"Pay with %@", {std::string("Visa 1234")}, "en_US", "Pay with Visa 1234"},
        {"%2$@ then %1$@", {std::string("a"), std::string("b")}, "en_US", "b then a"},
        {"%d items, %ld more", {std::int64_t{3}, std::int64_t{-40}}, "de_DE", "3 items, -40 more"},
        {"%.2f|%f", {1.5, std::int64_t{2}}, "de_DE", "1,50|2,000000"},
        {"%@", {2.25}, "fr_FR", "2,25"},
        {"%@ %d", {std::int64_t{7}, std::string("x")}, "en_US", "7 x"},
        // What is not a conversion of ours, or lacks its argument, stays as written.
        {"%@ and %@", {std::string("one")}, "en_US", "one and %@"},
        {"%3$@ %0$@ %s %.f %", {std::string("a")}, "en_US", "%3$@ %0$@ %s %.f %"},
        {"%99999999999$@ %.999f", {1.0}, "en_US", "%99999999999$@ %.999f"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(formatString(row.format, row.arguments, Locale(row.locale)), row.expected)
            << row.format;
    }
}

}  // namespace
}  // namespace corvend::platform
