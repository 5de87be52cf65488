#include "platform/foundation/ISO8601.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace corvend::platform::iso8601 {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

Date at(sys_days day, microseconds sinceMidnight = 0us) {
    return Date(Date::TimePoint(day) + sinceMidnight);
}

struct Accepted {
    std::string text;
    Date expected;
};

class InternetDateTimeTest : public testing::TestWithParam<Accepted> {};

TEST(InternetDateTimeTest, RefusesAFraction) {
    EXPECT_EQ(parseInternetDateTime("2024-03-05T14:07:09.5Z"), std::nullopt);
    EXPECT_EQ(parseInternetDateTime("2024-03-05T14:07:09.000Z"), std::nullopt);
}

TEST_P(InternetDateTimeTest, Reads) {
    EXPECT_EQ(parseInternetDateTime(GetParam().text), GetParam().expected) << GetParam().text;
    // The fractional reader wants a fraction.
    EXPECT_EQ(parseInternetDateTimeWithFractionalSeconds(GetParam().text), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, InternetDateTimeTest,
    testing::Values(Accepted{"2024-03-05T14:07:09Z", at(2024y / March / 5, 14h + 7min + 9s)},
                    Accepted{"2024-03-05T14:07:09+01:00", at(2024y / March / 5, 13h + 7min + 9s)},
                    Accepted{"2024-03-05T14:07:09-00:00", at(2024y / March / 5, 14h + 7min + 9s)},
                    // Offsets may carry the date across a day, a month and a year.
                    Accepted{"2024-01-01T00:30:00+23:59", at(2023y / December / 31, 31min)},
                    Accepted{"2023-12-31T23:30:00-23:59", at(2024y / January / 1, 23h + 29min)},
                    Accepted{"2024-02-29T12:00:00Z", at(2024y / February / 29, 12h)},
                    Accepted{"2000-02-29T00:00:00Z", at(2000y / February / 29)},
                    Accepted{"2024-03-05t14:07:09z", at(2024y / March / 5, 14h + 7min + 9s)},
                    Accepted{"0000-01-01T00:00:00Z", at(0y / January / 1)},
                    Accepted{"9999-12-31T23:59:59Z", at(9999y / December / 31, 23h + 59min + 59s)},
                    // A leap second at the end of a UTC day counts as the next day's first second.
                    Accepted{"2016-12-31T23:59:60Z", at(2017y / January / 1)},
                    Accepted{"2017-01-01T00:59:60+01:00", at(2017y / January / 1)}));

TEST(InternetDateTimeTest, Refuses) {
    using namespace std::string_view_literals;
    for (const std::string_view text : {
             ""sv,
             "2024-03-05T14:07:09Z\0"sv,     // embedded NUL after the zone
             "2024-03-05"sv,                 // date only
             "2024-03-05 14:07:09Z"sv,       // blank instead of "T"
             "2024-03-05T14:07:09"sv,        // no zone
             "2024-03-05T14:07Z"sv,          // no seconds
             " 2024-03-05T14:07:09Z"sv,      // leading blank
             "2024-03-05T14:07:09Zjunk"sv,   // trailing text
             "2024-3-05T14:07:09Z"sv,        // short month
             "12024-03-05T14:07:09Z"sv,      // five-digit year
             "2024-00-05T14:07:09Z"sv,       // month 0
             "2024-13-05T14:07:09Z"sv,       // month 13
             "2024-03-00T14:07:09Z"sv,       // day 0
             "2024-04-31T14:07:09Z"sv,       // April 31
             "2023-02-29T14:07:09Z"sv,       // not a leap year
             "1900-02-29T14:07:09Z"sv,       // century, not a leap year
             "2024-03-05T24:00:00Z"sv,       // hour 24
             "2024-03-05T14:60:09Z"sv,       // minute 60
             "2024-03-05T14:07:61Z"sv,       // second 61
             "2024-03-05T14:07:60Z"sv,       // leap second not at the end of a UTC day
             "2016-12-31T23:59:60+01:00"sv,  // idem, once the offset is applied
             "2024-03-05T14:07:09+24:00"sv,  // offset hour 24
             "2024-03-05T14:07:09+01:60"sv,  // offset minute 60
             "2024-03-05T14:07:09+0100"sv,   // offset without colon
             "2024-03-05T+4:07:09Z"sv,       // sign inside a field
             "２０２４-03-05T14:07:09Z"sv,   // non-ASCII digits
         }) {
        EXPECT_EQ(parseInternetDateTime(text), std::nullopt) << text;
        EXPECT_EQ(parseInternetDateTimeWithFractionalSeconds(text), std::nullopt) << text;
    }
}

TEST(InternetDateTimeWithFractionalSecondsTest, ReadsOneToNineDigitsToMicroseconds) {
    struct Case {
        std::string text;
        Date expected;
    };
    const auto base = 14h + 7min + 9s;
    for (const auto& c : {
             Case{"2024-03-05T14:07:09.1Z", at(2024y / March / 5, base + 100ms)},
             Case{"2024-03-05T14:07:09.000001Z", at(2024y / March / 5, base + 1us)},
             Case{"2024-03-05T14:07:09.123456789Z", at(2024y / March / 5, base + 123456us)},
             Case{"2024-03-05T14:07:09.999999999Z", at(2024y / March / 5, base + 999999us)},
             Case{"2024-03-05T14:07:09.5+01:00", at(2024y / March / 5, base - 1h + 500ms)},
             Case{"2016-12-31T23:59:60.25Z", at(2017y / January / 1, 250ms)},
         }) {
        EXPECT_EQ(parseInternetDateTimeWithFractionalSeconds(c.text), c.expected) << c.text;
    }
}

TEST(InternetDateTimeWithFractionalSecondsTest, Refuses) {
    for (const char* text : {
             "2024-03-05T14:07:09Z",             // no fraction
             "2024-03-05T14:07:09.Z",            // no fraction digits
             "2024-03-05T14:07:09.1234567890Z",  // ten digits
             "2024-03-05T14:07:09,123Z",         // comma
             "2024-03-05T14:07:09.12a3Z",        // not a digit
         }) {
        EXPECT_EQ(parseInternetDateTimeWithFractionalSeconds(text), std::nullopt) << text;
    }
}

TEST(FormatTest, WritesUTC) {
    struct Case {
        Date date;
        std::string plain;
        std::string fractional;
    };
    for (const auto& c : {
             Case{at(2024y / March / 5, 14h + 7min + 9s + 123999us), "2024-03-05T14:07:09Z",
                  "2024-03-05T14:07:09.123Z"},
             Case{at(1969y / December / 31, 23h + 59min + 59s + 999999us), "1969-12-31T23:59:59Z",
                  "1969-12-31T23:59:59.999Z"},
             Case{at(5y / July / 4, 1ms), "0005-07-04T00:00:00Z", "0005-07-04T00:00:00.001Z"},
             Case{at(-1y / December / 31), "-0001-12-31T00:00:00Z", "-0001-12-31T00:00:00.000Z"},
             Case{at(12345y / January / 2), "+12345-01-02T00:00:00Z", "+12345-01-02T00:00:00.000Z"},
         }) {
        EXPECT_EQ(format(c.date), c.plain);
        EXPECT_EQ(formatWithFractionalSeconds(c.date), c.fractional);
    }
}

TEST(FormatTest, ClampsDatesBeyondCivilYears) {
    EXPECT_EQ(format(Date(Date::TimePoint::max())), "+32767-12-31T23:59:59Z");
    EXPECT_EQ(format(Date(Date::TimePoint::min())), "-32767-01-01T00:00:00Z");
}

}  // namespace
}  // namespace corvend::platform::iso8601
