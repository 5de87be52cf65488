#include "CorvendWallet/setup/ErrorEvent.hpp"

namespace corvend {

namespace {
constexpr std::string_view kDecodingError = "DECODING_ERROR";
}  // namespace

std::string_view ErrorEvent::rawValue(Name name) {
    switch (name) {
        case Name::decodingError:
            return kDecodingError;
    }
    // Only reachable with a value cast from outside the enumeration.
    return {};
}

std::optional<ErrorEvent::Name> ErrorEvent::nameFromRawValue(std::string_view rawValue) {
    if (rawValue == kDecodingError) return Name::decodingError;
    return std::nullopt;
}

}  // namespace corvend
