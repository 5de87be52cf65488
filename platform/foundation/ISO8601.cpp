#include "platform/foundation/ISO8601.hpp"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdlib>

namespace corvend::platform::iso8601 {
namespace {

using std::chrono::microseconds;

// The value of the two ASCII digits at `text` (no sign, no blanks), or -1.
int twoDigits(const char* text) {
    const unsigned tens = static_cast<unsigned char>(text[0]) - unsigned{'0'};
    const unsigned ones = static_cast<unsigned char>(text[1]) - unsigned{'0'};
    return tens > 9 || ones > 9 ? -1 : static_cast<int>(tens * 10 + ones);
}

// "YYYY-MM-DD" at the start of `text` (at least 10 bytes) in the proleptic Gregorian calendar;
// nothing unless the day exists.
std::optional<std::chrono::year_month_day> fullDate(const char* p) {
    if (p[4] != '-' || p[7] != '-') return std::nullopt;
    const int century = twoDigits(p);
    const int yearOfCentury = twoDigits(p + 2);
    const int month = twoDigits(p + 5);
    const int day = twoDigits(p + 8);
    if ((century | yearOfCentury | month | day) < 0) return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(century * 100 + yearOfCentury),
                                           std::chrono::month(static_cast<unsigned>(month)),
                                           std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok()) return std::nullopt;
    return date;
}

// Every field has a fixed place up to the seconds ("YYYY-MM-DDThh:mm:ss", 19 bytes), so they
// are read in place; only the fraction and the zone vary in length.
std::optional<Date> parse(std::string_view text, bool withFraction) {
    constexpr std::size_t kSecondsEnd = 19;
    if (text.size() <= kSecondsEnd) return std::nullopt;
    const char* p = text.data();
    if ((p[10] != 'T' && p[10] != 't') || p[13] != ':' || p[16] != ':') return std::nullopt;
    const auto date = fullDate(p);
    const int hour = twoDigits(p + 11);
    const int minute = twoDigits(p + 14);
    const int second = twoDigits(p + 17);
    if (!date || (hour | minute | second) < 0) return std::nullopt;

    std::size_t pos = kSecondsEnd;
    microseconds fraction{0};
    if (withFraction) {
        if (p[pos] != '.') return std::nullopt;
        ++pos;
        std::size_t count = 0;
        long long micros = 0;
        while (pos < text.size() && p[pos] >= '0' && p[pos] <= '9') {
            if (count < 6) micros = micros * 10 + (p[pos] - '0');
            ++count;
            ++pos;
        }
        if (count == 0 || count > 9) return std::nullopt;
        for (std::size_t i = count; i < 6; ++i) micros *= 10;
        fraction = microseconds(micros);
    }

    std::chrono::minutes offset{0};
    if (pos == text.size()) return std::nullopt;
    const char zone = p[pos++];
    if (zone == '+' || zone == '-') {
        if (text.size() - pos != 5 || p[pos + 2] != ':') return std::nullopt;
        const int offsetHours = twoDigits(p + pos);
        const int offsetMinutes = twoDigits(p + pos + 3);
        if (offsetHours < 0 || offsetMinutes < 0 || offsetHours > 23 || offsetMinutes > 59) {
            return std::nullopt;
        }
        offset = std::chrono::hours(offsetHours) + std::chrono::minutes(offsetMinutes);
        if (zone == '-') offset = -offset;
    } else if ((zone != 'Z' && zone != 'z') || pos != text.size()) {
        return std::nullopt;
    }

    if (hour > 23 || minute > 59 || second > 60) return std::nullopt;

    const bool leapSecond = second == 60;
    auto utc = std::chrono::sys_days(*date) + std::chrono::hours(hour) +
               std::chrono::minutes(minute) + std::chrono::seconds(leapSecond ? 59 : second) -
               offset;
    if (leapSecond) {
        // Only the last minute of a UTC day can hold a leap second.
        const auto timeOfDay = utc - std::chrono::floor<std::chrono::days>(utc);
        if (timeOfDay !=
            std::chrono::hours(23) + std::chrono::minutes(59) + std::chrono::seconds(59)) {
            return std::nullopt;
        }
        utc += std::chrono::seconds(1);
    }
    return Date(Date::TimePoint(std::chrono::time_point_cast<microseconds>(utc) + fraction));
}

// `value` (non-negative) in at least `width` digits, zero-padded.
void appendPadded(std::string& out, long long value, int width) {
    char buffer[24];
    int length = 0;
    do {
        buffer[length++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int i = length; i < width; ++i) out.push_back('0');
    while (length > 0) out.push_back(buffer[--length]);
}

std::string formatUTC(const Date& date, bool withMilliseconds) {
    // std::chrono::year holds -32767..32767; a date beyond it (microseconds reach about
    // ±292,000 years) is written as the nearest end of that range.
    constexpr auto kFirst = std::chrono::sys_days(std::chrono::year::min() / 1 / 1);
    constexpr auto kLast = std::chrono::sys_days(std::chrono::year::max() / 12 / 31);
    const auto time = std::clamp(date.timePoint(), Date::TimePoint(kFirst),
                                 Date::TimePoint(kLast + std::chrono::days(1)) - microseconds(1));
    const auto day = std::chrono::floor<std::chrono::days>(time);
    const std::chrono::year_month_day ymd{day};
    const std::chrono::hh_mm_ss<microseconds> clock{time - day};

    std::string out;
    out.reserve(24);
    const int year = static_cast<int>(ymd.year());
    if (year < 0) {
        out.push_back('-');
    } else if (year > 9999) {
        out.push_back('+');
    }
    appendPadded(out, std::abs(year), 4);
    out.push_back('-');
    appendPadded(out, static_cast<unsigned>(ymd.month()), 2);
    out.push_back('-');
    appendPadded(out, static_cast<unsigned>(ymd.day()), 2);
    out.push_back('T');
    appendPadded(out, clock.hours().count(), 2);
    out.push_back(':');
    appendPadded(out, clock.minutes().count(), 2);
    out.push_back(':');
    appendPadded(out, clock.seconds().count(), 2);
    if (withMilliseconds) {
        out.push_back('.');
        appendPadded(out, clock.subseconds().count() / 1000, 3);
    }
    out.push_back('Z');
    return out;
}

}  // namespace

std::optional<Date> parseInternetDateTime(std::string_view text) {
    return parse(text, false);
}

std::optional<Date> parseInternetDateTimeWithFractionalSeconds(std::string_view text) {
    return parse(text, true);
}

std::optional<Date> parseFullDate(std::string_view text) {
    constexpr std::size_t kLength = 10;
    if (text.size() != kLength) return std::nullopt;
    const auto date = fullDate(text.data());
    if (!date) return std::nullopt;
    return Date(Date::TimePoint(std::chrono::sys_days(*date)));
}

std::string format(const Date& date) {
    return formatUTC(date, false);
}

std::string formatWithFractionalSeconds(const Date& date) {
    return formatUTC(date, true);
}

}  // namespace corvend::platform::iso8601
