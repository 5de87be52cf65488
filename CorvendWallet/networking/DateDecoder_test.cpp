#include "CorvendWallet/networking/DateDecoder.hpp"

#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <thread>

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

struct Record {
    std::vector<Stamp> stamps;
};
BOOST_DESCRIBE_STRUCT(Record, (), (stamps))

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

TEST(DateDecoderTest, NonTextDatesFailBeforeTheRule) {
    struct Row {
        std::string json;
        Kind kind;
    };
    const std::vector<Row> rows = {
        {R"({"createdAt":731000000})", Kind::typeMismatch},
        {R"({"createdAt":null})", Kind::valueNotFound},
        {R"({"updatedAt":"2024-03-05T14:07:09Z"})", Kind::keyNotFound},
        // An unreadable optional date fails the whole body.
        {R"({"createdAt":"2024-03-05T14:07:09Z","updatedAt":"yesterday"})", Kind::dataCorrupted},
    };
    for (const auto& row : rows) {
        try {
            decodeStamp(row.json);
            FAIL() << row.json;
        } catch (const DecodingError& error) {
            EXPECT_EQ(error.kind(), row.kind) << row.json;
        }
    }
    const auto absent = decodeStamp(R"({"createdAt":"2024-03-05T14:07:09Z","updatedAt":null})");
    EXPECT_FALSE(absent.updatedAt.has_value());
}

TEST(DateDecoderTest, PathOfADateInsideAnArray) {
    try {
        sharedResponseDecoder().decode<Record>(
            R"({"stamps":[{"createdAt":"2024-03-05T14:07:09Z"},{"createdAt":"2024-03-05"}]})");
        FAIL();
    } catch (const DecodingError& error) {
        EXPECT_EQ(platform::describeCodingPath(error.codingPath()), "stamps.Index 1.createdAt");
    }
}

TEST(DateDecoderTest, ConcurrentRepliesParseTheirOwnDates) {
    std::vector<std::thread> threads;
    std::atomic<int> wrong{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &wrong] {
            const std::string text = "2024-03-0" + std::to_string(t + 1) + "T10:00:00Z";
            for (int i = 0; i < 500; ++i) {
                const auto stamp = decodeStamp(R"({"createdAt":")" + text + R"("})");
                if (platform::iso8601::format(stamp.createdAt) != text) ++wrong;
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
}  // namespace corvend
