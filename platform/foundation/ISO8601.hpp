#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Date.hpp"

namespace corvend::platform {

// Strict RFC 3339 internet date-time readers and writers, locale-free.
namespace iso8601 {

// "2024-03-05T14:07:09Z" or "...+01:00": full date, "T", time with seconds, and "Z" or a signed
// "hh:mm" offset. No fraction of a second.
std::optional<Date> parseInternetDateTime(std::string_view text);

// The same form with a fraction of a second after the seconds: "2024-03-05T14:07:09.123Z".
// At least one fraction digit is required.
std::optional<Date> parseInternetDateTimeWithFractionalSeconds(std::string_view text);

// "2024-03-05T14:07:09Z" (UTC, no fraction).
std::string format(const Date& date);

// "2024-03-05T14:07:09.123Z" (UTC, milliseconds).
std::string formatWithFractionalSeconds(const Date& date);

}  // namespace iso8601
}  // namespace corvend::platform
