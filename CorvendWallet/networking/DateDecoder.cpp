#include "CorvendWallet/networking/DateDecoder.hpp"

#include <string>

#include "platform/foundation/ISO8601.hpp"
#include "platform/foundation/NeverDestroyed.hpp"
#include "platform/json/DecodingError.hpp"

namespace corvend {

const DateDecoder& DateDecoder::shared() {
    static const platform::NeverDestroyed<DateDecoder> decoder;
    return *decoder;
}

platform::Date DateDecoder::decode(std::string_view text) const {
    // The text after the seconds tells which form can read it; the other would refuse it.
    const bool hasFraction = text.size() > 19 && text[19] == '.';
    if (auto date = hasFraction
                        ? platform::iso8601::parseInternetDateTimeWithFractionalSeconds(text)
                        : platform::iso8601::parseInternetDateTime(text)) {
        return *date;
    }
    throw platform::DecodingError::dataCorrupted(
        platform::DecodingError::Context({}, "Invalid date format: " + std::string(text)));
}

}  // namespace corvend
