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

struct Case {
    std::string text;
    Date expected;
};

TEST(InternetDateTimeTest, Reads) {
    const auto time = 14h + 7min + 9s;
    for (const auto& c : {
             Case{"2024-03-05T14:07:09Z", at(2024y / March / 5, time)},
             Case{"2024-03-05T14:07:09+01:00", at(2024y / March / 5, time - 1h)},
             // Offsets may carry the date across a day, a month and a year.
             Case{"2024-01-01T00:30:00+23:59", at(2023y / December / 31, 31min)},
             Case{"2023-12-31T23:30:00-23:59", at(2024y / January / 1, 23h + 29min)},
             Case{"2000-02-29T00:00:00Z", at(2000y / February / 29)},
             Case{"2024-03-05t14:07:09z", at(2024y / March / 5, time)},
             Case{"0000-01-01T00:00:00Z", at(0y / January / 1)},
             Case{"9999-12-31T23:59:59Z", at(9999y / December / 31, 23h + 59min + 59s)},
             // A leap second at the end of a UTC day counts as the next day's first second.
             Case{"2016-12-31T23:59:60Z", at(2017y / January / 1)},
             Case{"2017-01-01T00:59:60+01:00", at(2017y / January / 1)},
         }) {
        EXPECT_EQ(parseInternetDateTime(c.text), c.expected) << c.text;
        // Each reader refuses the other's form.
        EXPECT_EQ(parseInternetDateTimeWithFractionalSeconds(c.text), std::nullopt) << c.text;
        const std::string fractional = c.text.substr(0, 19) + ".5" + c.text.substr(19);
        EXPECT_EQ(parseInternetDateTime(fractional), std::nullopt) << fractional;
    }
}

TEST(InternetDateTimeTest, Refuses) {
    using namespace std::string_view_literals;
    for (const std::string_view text :
         {// Form: empty, NUL after the zone, date only, blank for "T", no zone, no seconds,
          // leading blank, trailing text, short month, five-digit year.
          ""sv, "2024-03-05T14:07:09Z\0"sv, "2024-03-05"sv, "2024-03-05 14:07:09Z"sv,
          "2024-03-05T14:07:09"sv, "2024-03-05T14:07Z"sv, " 2024-03-05T14:07:09Z"sv,
          "2024-03-05T14:07:09Zjunk"sv, "2024-3-05T14:07:09Z"sv, "12024-03-05T14:07:09Z"sv,
          // Ranges: month 13, April 31, not a leap year (twice), hour 24, minute 60, second
          // 61, a leap second not at the end of a UTC day (before and after the offset).
          "2024-13-05T14:07:09Z"sv, "2024-04-31T14:07:09Z"sv, "2023-02-29T14:07:09Z"sv,
          "1900-02-29T14:07:09Z"sv, "2024-03-05T24:00:00Z"sv, "2024-03-05T14:60:09Z"sv,
          "2024-03-05T14:07:61Z"sv, "2024-03-05T14:07:60Z"sv, "2016-12-31T23:59:60+01:00"sv,
          // Offsets: hour 24, minute 60, no colon; a sign inside a field; non-ASCII digits.
          "2024-03-05T14:07:09+24:00"sv, "2024-03-05T14:07:09+01:60"sv,
          "2024-03-05T14:07:09+0100"sv, "2024-03-05T+4:07:09Z"sv, "２０２４-03-05T14:07:09Z"sv}) {
        EXPECT_EQ(parseInternetDateTime(text), std::nullopt) << text;
        EXPECT_EQ(parseInternetDateTimeWithFractionalSeconds(text), std::nullopt) << text;
    }
}

TEST(InternetDateTimeWithFractionalSecondsTest, ReadsOneToNineDigitsToMicroseconds) {
    const auto time = 14h + 7min + 9s;
    for (const auto& c : {
             Case{"2024-03-05T14:07:09.1Z", at(2024y / March / 5, time + 100ms)},
             Case{"2024-03-05T14:07:09.000001Z", at(2024y / March / 5, time + 1us)},
             Case{"2024-03-05T14:07:09.123456789Z", at(2024y / March / 5, time + 123456us)},
             Case{"2024-03-05T14:07:09.999999999Z", at(2024y / March / 5, time + 999999us)},
             Case{"2024-03-05T14:07:09.5+01:00", at(2024y / March / 5, time - 1h + 500ms)},
             Case{"2016-12-31T23:59:60.25Z", at(2017y / January / 1, 250ms)},
         }) {
        EXPECT_EQ(parseInternetDateTimeWithFractionalSeconds(c.text), c.expected) << c.text;
    }
}

TEST(InternetDateTimeWithFractionalSecondsTest, Refuses) {
    for (const char* text : {
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
