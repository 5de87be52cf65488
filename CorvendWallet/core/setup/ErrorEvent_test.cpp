#include "CorvendWallet/core/setup/ErrorEvent.hpp"

#include <gtest/gtest.h>

#include <unordered_set>

namespace corvend {
namespace {

TEST(ErrorEventTest, NameFromRawValueAcceptsOnlyTheExactText) {
    struct Row {
        std::string_view text;
        std::optional<ErrorEvent::Name> expected;
    };
    const Row rows[] = {
        {"DECODING_ERROR", ErrorEvent::Name::decodingError},
        {"decoding_error", std::nullopt},
        {"DECODING_ERROR ", std::nullopt},
        {"DECODINGERROR", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ErrorEvent::nameFromRawValue(row.text), row.expected) << '"' << row.text << '"';
    }
    const auto name = ErrorEvent::Name::decodingError;
    EXPECT_EQ(ErrorEvent::nameFromRawValue(ErrorEvent::rawValue(name)), name);
    EXPECT_EQ(std::unordered_set<ErrorEvent::Name>({name, name}).size(), 1u);
}

}  // namespace
}  // namespace corvend
