#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Date.hpp"

namespace corvend::platform {

// Strict RFC 3339 internet date-time readers and writers, locale-free.
//
// Both readers take exactly "YYYY-MM-DD" "T" "hh:mm:ss" [fraction] zone, where zone is "Z" or
// a signed "hh:mm" offset of at most 23:59 ("-00:00" reads as UTC). Every field has exactly
// its digits; the date must exist (leap years included); hours 00-23, minutes 00-59. As RFC
// 3339 allows, "T" and "Z" may be lower case. A leap second (":60") is accepted only when it
// falls at 23:59 UTC and reads as the first second of the next day, as Unix time counts it.
// Anything else is refused: a date alone, a blank for "T", no zone, surrounding blanks,
// trailing text.
namespace iso8601 {

// "2024-03-05T14:07:09Z" or "...+01:00". No fraction of a second.
std::optional<Date> parseInternetDateTime(std::string_view text);

// The same form with a fraction of a second after the seconds: "2024-03-05T14:07:09.123Z".
// One to nine fraction digits are required; digits beyond microseconds are truncated.
std::optional<Date> parseInternetDateTimeWithFractionalSeconds(std::string_view text);

// A calendar day alone, "2024-03-05", read as midnight UTC at its start. Exactly four, two and
// two digits; the day must exist in the proleptic Gregorian calendar, whatever the process's
// locale, calendar or time zone ("2023-02-29" is refused). No trailing text.
std::optional<Date> parseFullDate(std::string_view text);

// "2024-03-05T14:07:09Z" (UTC, no fraction; the sub-second part is dropped). Years outside
// 0000-9999, which the format cannot hold, are written signed ("+10000", "-0001"); dates
// beyond the years -32767..32767 are written as the nearest end of that range.
std::string format(const Date& date);

// "2024-03-05T14:07:09.123Z" (UTC, milliseconds, truncated).
std::string formatWithFractionalSeconds(const Date& date);

}  // namespace iso8601
}  // namespace corvend::platform
