#pragma once

#include <boost/json/value.hpp>

#include "RecordLog.hpp"
#include "RouteContext.hpp"

namespace corvend::sandbox {

// POST digitalwallets/v1/events-tracking/errors: appends a JSON object that has an
// "eventName" string to `events` and answers 202 with no body; anything else gets a 400 error
// document. The events are the sandbox's record of what it was told, not data a route serves.
void addEventsRoutes(const RouteContext& context, RecordLog<boost::json::value>& events);

}  // namespace corvend::sandbox
