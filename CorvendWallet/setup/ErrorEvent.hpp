#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/Date.hpp"

namespace corvend {

// The kit's own record of one event to send to the service. A plain value; compares field by
// field.
struct ErrorEvent {
    // The kind of event. Its raw value is the text the service knows it by.
    enum class Name { decodingError };

    // The request that failed.
    struct HttpDetails {
        std::string url;     // relative path and query, as the endpoint was built
        std::string method;  // e.g. "GET"

        friend bool operator==(const HttpDetails&, const HttpDetails&) = default;
    };

    // One free key and value pair.
    struct Parameter {
        std::string key;
        std::string value;

        friend bool operator==(const Parameter&, const Parameter&) = default;
    };

    // "DECODING_ERROR" for decodingError.
    static std::string_view rawValue(Name name);
    // The name whose raw value is exactly `rawValue` (case-sensitive); nullopt for any other
    // text.
    static std::optional<Name> nameFromRawValue(std::string_view rawValue);

    std::optional<std::string> eventID;  // the failed reply's correlation identifier
    Name eventName = Name::decodingError;
    platform::Date timestamp;
    std::optional<HttpDetails> httpDetails;
    std::optional<std::vector<Parameter>> parameters;

    friend bool operator==(const ErrorEvent&, const ErrorEvent&) = default;
};

}  // namespace corvend
