#include "platform/foundation/ISO8601.hpp"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdlib>

namespace corvend::platform::iso8601 {
namespace {

using std::chrono::microseconds;

// A forward reader over the text; every read checks bounds and exact characters.
class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool atEnd() const { return pos_ == text_.size(); }

    // Exactly `count` ASCII digits (no locale, no sign, no blanks).
    std::optional<int> digits(std::size_t count) {
        if (text_.size() - pos_ < count) return std::nullopt;
        int value = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const char c = text_[pos_ + i];
            if (c < '0' || c > '9') return std::nullopt;
            value = value * 10 + (c - '0');
        }
        pos_ += count;
        return value;
    }

    bool literal(char expected) { return accept(expected, expected); }

    // `upper` or its lower-case twin `lower`.
    bool accept(char upper, char lower) {
        if (atEnd() || (text_[pos_] != upper && text_[pos_] != lower)) return false;
        ++pos_;
        return true;
    }

    std::optional<char> next() {
        if (atEnd()) return std::nullopt;
        return text_[pos_++];
    }

    // One to nine digits of a fraction of a second, kept to microseconds.
    std::optional<microseconds> fraction() {
        std::size_t count = 0;
        long long micros = 0;
        while (!atEnd() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            if (count < 6) micros = micros * 10 + (text_[pos_] - '0');
            ++count;
            ++pos_;
        }
        if (count == 0 || count > 9) return std::nullopt;
        for (std::size_t i = count; i < 6; ++i) micros *= 10;
        return microseconds(micros);
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// "YYYY-MM-DD" in the proleptic Gregorian calendar; nothing unless the day exists.
std::optional<std::chrono::year_month_day> fullDate(Reader& reader) {
    const auto year = reader.digits(4);
    if (!year || !reader.literal('-')) return std::nullopt;
    const auto month = reader.digits(2);
    if (!month || !reader.literal('-')) return std::nullopt;
    const auto day = reader.digits(2);
    if (!day) return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(*year),
                                           std::chrono::month(static_cast<unsigned>(*month)),
                                           std::chrono::day(static_cast<unsigned>(*day))};
    if (!date.ok()) return std::nullopt;
    return date;
}

std::optional<Date> parse(std::string_view text, bool withFraction) {
    Reader reader(text);
    const auto date = fullDate(reader);
    if (!date || !reader.accept('T', 't')) return std::nullopt;
    const auto hour = reader.digits(2);
    if (!hour || !reader.literal(':')) return std::nullopt;
    const auto minute = reader.digits(2);
    if (!minute || !reader.literal(':')) return std::nullopt;
    const auto second = reader.digits(2);
    if (!second) return std::nullopt;

    microseconds fraction{0};
    if (withFraction) {
        if (!reader.literal('.')) return std::nullopt;
        const auto read = reader.fraction();
        if (!read) return std::nullopt;
        fraction = *read;
    }

    std::chrono::minutes offset{0};
    const auto zone = reader.next();
    if (!zone) return std::nullopt;
    if (*zone == '+' || *zone == '-') {
        const auto offsetHours = reader.digits(2);
        if (!offsetHours || !reader.literal(':')) return std::nullopt;
        const auto offsetMinutes = reader.digits(2);
        if (!offsetMinutes || *offsetHours > 23 || *offsetMinutes > 59) return std::nullopt;
        offset = std::chrono::hours(*offsetHours) + std::chrono::minutes(*offsetMinutes);
        if (*zone == '-') offset = -offset;
    } else if (*zone != 'Z' && *zone != 'z') {
        return std::nullopt;
    }
    if (!reader.atEnd()) return std::nullopt;

    if (*hour > 23 || *minute > 59 || *second > 60) return std::nullopt;

    const bool leapSecond = *second == 60;
    auto utc = std::chrono::sys_days(*date) + std::chrono::hours(*hour) +
               std::chrono::minutes(*minute) + std::chrono::seconds(leapSecond ? 59 : *second) -
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
    Reader reader(text);
    const auto date = fullDate(reader);
    if (!date || !reader.atEnd()) return std::nullopt;
    return Date(Date::TimePoint(std::chrono::sys_days(*date)));
}

std::string format(const Date& date) {
    return formatUTC(date, false);
}

std::string formatWithFractionalSeconds(const Date& date) {
    return formatUTC(date, true);
}

}  // namespace corvend::platform::iso8601
