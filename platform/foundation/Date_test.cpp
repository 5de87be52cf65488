#include "platform/foundation/Date.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

namespace corvend::platform {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

Date at(sys_days day, microseconds sinceMidnight = 0us) {
    return Date(Date::TimePoint(day) + sinceMidnight);
}

TEST(DateTest, IntervalsAgreeWithCivilTime) {
    const Date date = at(2024y / March / 5, 14h + 7min + 9s + 250ms);
    const double sinceEpoch =
        static_cast<double>(
            duration_cast<seconds>(sys_days(2024y / March / 5) - sys_days{}).count()) +
        (14 * 3600 + 7 * 60 + 9) + 0.25;
    EXPECT_EQ(date.timeIntervalSince1970(), sinceEpoch);
    EXPECT_EQ(date.timeIntervalSinceReferenceDate(), sinceEpoch - 978307200.0);  // 2001-01-01
    EXPECT_EQ(Date::referenceDate(), at(2001y / January / 1));
    EXPECT_EQ(Date::fromUnixSeconds(sinceEpoch), date);

    // Before both epochs the intervals are negative.
    const Date early = at(1969y / December / 31, 23h + 59min + 59s + 500ms);
    EXPECT_EQ(early.timeIntervalSince1970(), -0.5);
    EXPECT_EQ(Date::fromUnixSeconds(-0.5), early);
}

TEST(DateTest, FromUnixSecondsRoundsToMicroseconds) {
    struct Case {
        double seconds;
        microseconds expected;
    };
    for (const auto& c :
         {Case{0.1, 100'000us}, Case{1.0000004, 1'000'000us}, Case{1.0000006, 1'000'001us},
          Case{-1.0000006, -1'000'001us}, Case{1e-7, 0us}}) {
        EXPECT_EQ(Date::fromUnixSeconds(c.seconds).timePoint().time_since_epoch(), c.expected)
            << c.seconds;
    }
}

TEST(DateTest, FromUnixSecondsClampsWhatDoesNotFit) {
    const auto max = Date::TimePoint::max();
    const auto min = Date::TimePoint::min();
    EXPECT_EQ(Date::fromUnixSeconds(std::numeric_limits<double>::infinity()).timePoint(), max);
    EXPECT_EQ(Date::fromUnixSeconds(1e300).timePoint(), max);
    EXPECT_EQ(Date::fromUnixSeconds(-std::numeric_limits<double>::infinity()).timePoint(), min);
    EXPECT_EQ(Date::fromUnixSeconds(-1e300).timePoint(), min);
    EXPECT_EQ(Date::fromUnixSeconds(std::nan("")), Date());
    // Intervals of the clamped ends stay finite.
    EXPECT_TRUE(std::isfinite(Date(min).timeIntervalSinceReferenceDate()));
    EXPECT_TRUE(std::isfinite(Date(max).timeIntervalSinceReferenceDate()));
}

}  // namespace
}  // namespace corvend::platform
