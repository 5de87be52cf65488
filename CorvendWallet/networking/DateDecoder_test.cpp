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

std::string iso(const platform::Date& date) {
    return platform::iso8601::formatWithFractionalSeconds(date);
}

TEST(DateDecoderTest, AcceptsInternetDateTimeWithAndWithoutFraction) {
    struct Row {
        std::string text;
        std::string utc;
    };
    const std::vector<Row> rows = {
        {"2024-03-05T14:07:09Z", "2024-03-05T14:07:09.000Z"},
        {"2024-03-05T14:07:09+01:00", "2024-03-05T13:07:09.000Z"},
        {"2024-03-05T14:07:09.123Z", "2024-03-05T14:07:09.123Z"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(iso(decodeStamp(R"({"createdAt":")" + row.text + R"("})").createdAt), row.utc)
            << row.text;
    }
}

TEST(DateDecoderTest, RefusedFormsAreCorruptedDataAtTheFieldPath) {
    for (const std::string text : {"2024-03-05", "2024-03-05 14:07:09Z", "2024-03-05T14:07:09"}) {
        try {
            decodeStamp(R"({"createdAt":")" + text + R"("})");
            FAIL() << text;
        } catch (const DecodingError& error) {
            EXPECT_EQ(error.kind(), Kind::dataCorrupted) << text;
            EXPECT_EQ(error.debugDescription(), "Invalid date format: " + text);
            ASSERT_EQ(error.codingPath().size(), 1u);
            EXPECT_EQ(error.codingPath()[0].stringValue, "createdAt");
            EXPECT_EQ(error.context().underlyingError, nullptr);
        }
    }
}

// A number or null never reaches the rule: the JSON layer refuses it (see its own tests).
TEST(DateDecoderTest, AnUnreadableOptionalDateFailsTheWholeReply) {
    try {
        decodeStamp(R"({"createdAt":"2024-03-05T14:07:09Z","updatedAt":"yesterday"})");
        FAIL();
    } catch (const DecodingError& error) {
        EXPECT_EQ(error.kind(), Kind::dataCorrupted);
        EXPECT_EQ(platform::describeCodingPath(error.codingPath()), "updatedAt");
    }
    const auto absent = decodeStamp(R"({"createdAt":"2024-03-05T14:07:09Z","updatedAt":null})");
    EXPECT_FALSE(absent.updatedAt.has_value());
}

}  // namespace
}  // namespace corvend
