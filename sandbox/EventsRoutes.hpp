#pragma once

#include <string_view>

#include "RouteContext.hpp"

namespace corvend::sandbox {

// The store collection that holds the error events received, in arrival order.
inline constexpr std::string_view kErrorEventsCollection = "events.errors";

// POST digitalwallets/v1/events-tracking/errors: stores a JSON object that has an
// "eventName" string and answers 202 with no body; anything else gets a 400 error document.
void addEventsRoutes(const RouteContext& context);

}  // namespace corvend::sandbox
