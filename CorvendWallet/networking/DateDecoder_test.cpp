#include "CorvendWallet/networking/DateDecoder.hpp"

#include <gtest/gtest.h>

#include <boost/describe.hpp>

#include "CorvendWallet/networking/SharedCoders.hpp"
#include "platform/foundation/ISO8601.hpp"
#include "platform/json/DecodingError.hpp"

namespace corvend {
namespace {

using platform::DecodingError;
using Kind = DecodingError::Kind;

struct Stamp {
    platform::Date createdAt;
    std::optional<platform::Date> updatedAt;
};
BOOST_DESCRIBE_STRUCT(Stamp, (), (createdAt, updatedAt))

Stamp decodeStamp(const std::string& json) {
    return sharedResponseDecoder().decode<Stamp>(json);
}

DecodingError failureOf(const std::string& json) {
    try {
        decodeStamp(json);
    } catch (const DecodingError& error) {
        return error;
    }
    throw std::logic_error("decoded " + json);
}

TEST(DateDecoderTest, AcceptsInternetDateTimeWithAndWithoutFraction) {
    struct Row {
        std::string text;
        std::string utc;
    };
    const std::vector<Row> rows = {
        {"2024-03-05T14:07:09Z", "2024-03-05T14:07:09.000Z"},
        {"2024-03-05T14:07:09.123Z", "2024-03-05T14:07:09.123Z"},
    };
    for (const auto& row : rows) {
        const auto date = decodeStamp(R"({"createdAt":")" + row.text + R"("})").createdAt;
        EXPECT_EQ(platform::iso8601::formatWithFractionalSeconds(date), row.utc) << row.text;
    }
}

// A number or null never reaches the rule: the JSON layer refuses it (see its own tests).
TEST(DateDecoderTest, RefusedFormsAreCorruptedDataAtTheFieldPathEvenInAnOptional) {
    for (const std::string text : {"2024-03-05", "2024-03-05 14:07:09Z", "2024-03-05T14:07:09"}) {
        const auto error = failureOf(R"({"createdAt":")" + text + R"("})");
        EXPECT_EQ(error.kind(), Kind::dataCorrupted) << text;
        EXPECT_EQ(error.debugDescription(), "Invalid date format: " + text);
        EXPECT_EQ(platform::describeCodingPath(error.codingPath()), "createdAt");
        EXPECT_EQ(error.context().underlyingError, nullptr);
    }
    const auto optional = failureOf(R"({"createdAt":"2024-03-05T14:07:09Z","updatedAt":"x"})");
    EXPECT_EQ(platform::describeCodingPath(optional.codingPath()), "updatedAt");
}

}  // namespace
}  // namespace corvend
