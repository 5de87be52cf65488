#pragma once

#include <chrono>
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace corvend::platform {

// A point in time, UTC, with microsecond precision. Comparable and copyable.
class Date {
  public:
    using Clock = std::chrono::system_clock;
    using TimePoint = std::chrono::time_point<Clock, std::chrono::microseconds>;

    Date() = default;
    explicit Date(TimePoint time) : time_(time) {}

    static Date now() {
        return Date(std::chrono::time_point_cast<std::chrono::microseconds>(Clock::now()));
    }
    // Rounded to the nearest microsecond. Values beyond the representable range (about
    // ±292,000 years) are clamped to it; NaN gives the Unix epoch.
    static Date fromUnixSeconds(double seconds);
    // 2001-01-01T00:00:00Z, the reference date of request bodies.
    static Date referenceDate();
    // -62135769600 s from the Unix epoch (0000-12-30T00:00:00Z, proleptic Gregorian): the
    // stand-in for a date that is required but unknown.
    static Date distantPast();

    TimePoint timePoint() const { return time_; }
    double timeIntervalSince1970() const;
    // Seconds since 2001-01-01T00:00:00Z, the form dates take in request bodies.
    double timeIntervalSinceReferenceDate() const;

    friend auto operator<=>(const Date&, const Date&) = default;

  private:
    TimePoint time_{};
};

}  // namespace corvend::platform
