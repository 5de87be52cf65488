#pragma once

#include "CorvendWallet/setup/ErrorEvent.hpp"

namespace corvend {

// Sends the kit's error events to the service.
class EventsTrackingManager {
  public:
    virtual ~EventsTrackingManager() = default;

    // Starts sending `event` and returns at once. Never blocks and never fails: an event that
    // cannot be sent is dropped without notice. Callable from any thread.
    virtual void track(const ErrorEvent& event) noexcept = 0;
};

}  // namespace corvend
