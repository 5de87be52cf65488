#include "platform/foundation/Date.hpp"

#include <cmath>
#include <cstdint>
#include <limits>

namespace corvend::platform {
namespace {

constexpr double kMicrosecondsPerSecond = 1'000'000.0;
// 2001-01-01T00:00:00Z.
constexpr std::chrono::sys_seconds kReferenceDate{std::chrono::seconds(978'307'200)};

double seconds(std::chrono::microseconds interval) {
    return static_cast<double>(interval.count()) / kMicrosecondsPerSecond;
}

// Subtracts in floating point so that dates near the ends of the range cannot overflow; for
// any date within a few hundred years of the epoch both counts are exact doubles.
double secondsBetween(Date::TimePoint later, Date::TimePoint earlier) {
    return (static_cast<double>(later.time_since_epoch().count()) -
            static_cast<double>(earlier.time_since_epoch().count())) /
           kMicrosecondsPerSecond;
}

}  // namespace

Date Date::fromUnixSeconds(double seconds) {
    using Rep = std::chrono::microseconds::rep;
    if (std::isnan(seconds)) return Date();
    const double micros = std::round(seconds * kMicrosecondsPerSecond);
    // 2^63 is exact as a double; converting anything at or beyond it is undefined.
    constexpr double kLimit = 9223372036854775808.0;
    Rep count = 0;
    if (micros >= kLimit) {
        count = std::numeric_limits<Rep>::max();
    } else if (micros < -kLimit) {
        count = std::numeric_limits<Rep>::min();
    } else {
        count = static_cast<Rep>(micros);
    }
    return Date(TimePoint(std::chrono::microseconds(count)));
}

Date Date::referenceDate() {
    return Date(TimePoint(kReferenceDate));
}

Date Date::distantPast() {
    return Date(TimePoint(std::chrono::seconds(-62'135'769'600)));
}

double Date::timeIntervalSince1970() const {
    return seconds(time_.time_since_epoch());
}

double Date::timeIntervalSinceReferenceDate() const {
    return secondsBetween(time_, referenceDate().time_);
}

}  // namespace corvend::platform
