#pragma once

#include <boost/describe.hpp>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/networking/Endpoint.hpp"
#include "platform/foundation/Date.hpp"
#include "platform/json/EmptyResponse.hpp"
#include "platform/json/JSONCoding.hpp"
#include "platform/json/JSONEncoder.hpp"

namespace corvend::EventsTrackingEndpoint {

// The wire document of one error event. Absent optionals are left out of the JSON, never
// written as null.
struct ErrorEvent {
    // Describes the kit and its platform; every key is always written.
    struct WalletMetadata {
        std::string userAgent;
        std::string walletVersion;
        std::string walletPlatform;

        friend bool operator==(const WalletMetadata&, const WalletMetadata&) = default;
    };

    struct HttpDetails {
        std::string url;
        std::string method;

        friend bool operator==(const HttpDetails&, const HttpDetails&) = default;
    };

    struct Parameter {
        std::string key;
        std::string value;

        friend bool operator==(const Parameter&, const Parameter&) = default;
    };

    std::optional<std::string> eventID;
    std::string eventName;
    platform::Date timestamp;  // written in UTC with whole seconds by eventsEncoder()
    WalletMetadata walletMetadata;
    std::optional<HttpDetails> httpDetails;
    std::optional<std::vector<Parameter>> parameters;

    static constexpr platform::JSONKey jsonKeys[] = {{"eventID", "eventId"}};

    friend bool operator==(const ErrorEvent&, const ErrorEvent&) = default;
};
BOOST_DESCRIBE_STRUCT(ErrorEvent::WalletMetadata, (), (userAgent, walletVersion, walletPlatform))
BOOST_DESCRIBE_STRUCT(ErrorEvent::HttpDetails, (), (url, method))
BOOST_DESCRIBE_STRUCT(ErrorEvent::Parameter, (), (key, value))
BOOST_DESCRIBE_STRUCT(ErrorEvent, (),
                      (eventID, eventName, timestamp, walletMetadata, httpDetails, parameters))

// The encoder of event bodies: dates as ISO 8601 text, everything else as the platform's
// defaults. One for the process, made on first use (thread-safely) and never destroyed; no
// other body uses it.
const platform::JSONEncoder& eventsEncoder();

// The post of one event: POST "digitalwallets/v1/events-tracking/errors" with no endpoint
// headers and no query, `document` as an "application/json" body written by eventsEncoder(), a
// reply body that is never read (any 2xx succeeds), and the default error processor.
Endpoint<platform::EmptyResponse> trackError(ErrorEvent document);

}  // namespace corvend::EventsTrackingEndpoint
