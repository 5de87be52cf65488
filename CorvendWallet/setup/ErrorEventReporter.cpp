#include "CorvendWallet/setup/ErrorEventReporter.hpp"

#include <cstddef>
#include <utility>
#include <vector>

namespace corvend {

namespace {

std::string codingPathText(const std::vector<platform::CodingKey>& path) {
    std::string text;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (i > 0) text += ", ";
        text += path[i].stringValue;
    }
    return text;
}

}  // namespace

ErrorEventReporter::ErrorEventReporter(std::weak_ptr<EventsTrackingManager> eventsTrackingManager,
                                       Clock clock)
    : eventsTrackingManager_(std::move(eventsTrackingManager)),
      clock_(clock ? std::move(clock) : Clock(&platform::Date::now)) {}

std::string ErrorEventReporter::message(const platform::DecodingError& error) {
    using Kind = platform::DecodingError::Kind;
    switch (error.kind()) {
        case Kind::typeMismatch:
            return error.debugDescription() + " - " + codingPathText(error.codingPath());
        case Kind::valueNotFound:
            return "Non-optional value expected, found null instead - " +
                   codingPathText(error.codingPath());
        case Kind::keyNotFound:
            return "No value associated with key - " +
                   (error.key() ? error.key()->stringValue : std::string());
        case Kind::dataCorrupted:
            return error.debugDescription();
    }
    return error.what();
}

ErrorEvent ErrorEventReporter::event(const platform::DecodingError& error,
                                     const std::optional<std::string>& correlationID,
                                     const HTTPMethod& method, const std::string& url) const {
    return ErrorEvent{
        .eventID = correlationID,
        .eventName = ErrorEvent::Name::decodingError,
        .timestamp = clock_(),
        .httpDetails = ErrorEvent::HttpDetails{url, method.rawValue},
        .parameters = std::vector<ErrorEvent::Parameter>{{"message", message(error)}},
    };
}

void ErrorEventReporter::report(const platform::DecodingError& error,
                                const std::optional<std::string>& correlationID,
                                const HTTPMethod& method, const std::string& url) const noexcept {
    const auto manager = eventsTrackingManager_.lock();
    if (!manager) return;
    try {
        manager->track(event(error, correlationID, method, url));
    } catch (...) {
        // A clock or allocation failure loses the event; the request's own error still stands.
    }
}

NetworkManagerErrorReporter ErrorEventReporter::networkManagerErrorReporter() const {
    return {[reporter = *this](const platform::DecodingError& error,
                               const std::optional<std::string>& correlationID,
                               const HTTPMethod& method, const std::string& url) {
        reporter.report(error, correlationID, method, url);
    }};
}

NetworkManagerErrorReporter makeErrorEventReporter(
    std::weak_ptr<EventsTrackingManager> eventsTrackingManager, ErrorEventReporter::Clock clock) {
    return ErrorEventReporter(std::move(eventsTrackingManager), std::move(clock))
        .networkManagerErrorReporter();
}

}  // namespace corvend
