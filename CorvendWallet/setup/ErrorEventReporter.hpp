#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "CorvendWallet/setup/ErrorEvent.hpp"
#include "CorvendWallet/setup/EventsTrackingManager.hpp"
#include "CorvendWallet/networking/HTTPMethod.hpp"
#include "CorvendWallet/networking/NetworkManagerErrorReporter.hpp"
#include "platform/foundation/Date.hpp"
#include "platform/json/DecodingError.hpp"

namespace corvend {

// Turns the decoding failures of 2xx replies into "DECODING_ERROR" events for an events
// tracking manager. A cheap value; copies share the manager.
//
// The manager is held weakly: it sends through a network manager that holds this reporter, so
// a strong reference would keep both alive for ever. Its owner (the core) keeps it alive;
// reports that arrive once it is gone are dropped.
class ErrorEventReporter {
  public:
    using Clock = std::function<platform::Date()>;

    // An empty `clock` means platform::Date::now. The clock may be called from many threads at
    // once.
    explicit ErrorEventReporter(std::weak_ptr<EventsTrackingManager> eventsTrackingManager,
                                Clock clock = &platform::Date::now);

    // The message text of `error`:
    //   typeMismatch:  debug description + " - " + coding path
    //   valueNotFound: "Non-optional value expected, found null instead - " + coding path
    //   keyNotFound:   "No value associated with key - " + the missing key (no path)
    //   dataCorrupted: debug description
    // where the coding path is the keys' texts joined by ", " ("" at the top level).
    static std::string message(const platform::DecodingError& error);

    // The event of one failure: eventID = `correlationID`, the clock's time, httpDetails
    // {url, method's raw text} and the one parameter {"message", message(error)}.
    ErrorEvent event(const platform::DecodingError& error,
                     const std::optional<std::string>& correlationID, const HTTPMethod& method,
                     const std::string& url) const;

    // Builds the event and hands it to the manager. Returns at once and never throws, so the
    // failed request's own error reaches its caller unchanged and undelayed. Callable from
    // many threads at once.
    void report(const platform::DecodingError& error,
                const std::optional<std::string>& correlationID, const HTTPMethod& method,
                const std::string& url) const noexcept;

    // This reporter in the form network managers hold.
    NetworkManagerErrorReporter networkManagerErrorReporter() const;

  private:
    std::weak_ptr<EventsTrackingManager> eventsTrackingManager_;
    Clock clock_;
};

// The reporter the core installs in each network manager:
// ErrorEventReporter(eventsTrackingManager, clock).networkManagerErrorReporter().
NetworkManagerErrorReporter makeErrorEventReporter(
    std::weak_ptr<EventsTrackingManager> eventsTrackingManager,
    ErrorEventReporter::Clock clock = &platform::Date::now);

}  // namespace corvend
