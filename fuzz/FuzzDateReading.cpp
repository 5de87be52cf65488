#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "CorvendWallet/networking/DateDecoder.hpp"
#include "fuzz/FuzzCheck.hpp"
#include "platform/foundation/Date.hpp"
#include "platform/foundation/ISO8601.hpp"
#include "platform/json/DecodingError.hpp"

namespace {

using corvend::platform::Date;
namespace iso8601 = corvend::platform::iso8601;

template <class Duration>
Date floorTo(const Date& date) {
    return Date(std::chrono::floor<Duration>(date.timePoint()));
}

// Text in years 0000-9999 (the only form the readers take) starts with a digit.
bool readable(const std::string& text) {
    return !text.empty() && text[0] >= '0' && text[0] <= '9';
}

}  // namespace

// Input: the text of a date; its first 8 bytes are also read as a count of microseconds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<Date> whole = iso8601::parseInternetDateTime(text);
    const std::optional<Date> fractional =
        iso8601::parseInternetDateTimeWithFractionalSeconds(text);
    FUZZ_CHECK(!(whole && fractional));

    // The kit's rule takes either form and refuses the rest with a DecodingError.
    std::optional<Date> decoded;
    try {
        decoded = corvend::DateDecoder::shared().decode(text);
    } catch (const corvend::platform::DecodingError&) {
    }
    FUZZ_CHECK(decoded == (whole ? whole : fractional));

    if (whole) {
        const std::string formatted = iso8601::format(*whole);
        if (readable(formatted)) FUZZ_CHECK(iso8601::parseInternetDateTime(formatted) == whole);
    }
    if (fractional) {
        const std::string formatted = iso8601::formatWithFractionalSeconds(*fractional);
        if (readable(formatted)) {
            FUZZ_CHECK(iso8601::parseInternetDateTimeWithFractionalSeconds(formatted) ==
                       floorTo<std::chrono::milliseconds>(*fractional));
        }
    }

    if (size >= sizeof(std::int64_t)) {
        std::int64_t micros = 0;
        std::memcpy(&micros, data, sizeof micros);
        const Date date{Date::TimePoint(std::chrono::microseconds(micros))};
        const std::string formatted = iso8601::format(date);
        if (readable(formatted)) {
            FUZZ_CHECK(iso8601::parseInternetDateTime(formatted) ==
                       floorTo<std::chrono::seconds>(date));
        }
        const std::string precise = iso8601::formatWithFractionalSeconds(date);
        if (readable(precise)) {
            FUZZ_CHECK(iso8601::parseInternetDateTimeWithFractionalSeconds(precise) ==
                       floorTo<std::chrono::milliseconds>(date));
        }
    }
    return 0;
}
