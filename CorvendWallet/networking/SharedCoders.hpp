#pragma once

#include "platform/json/JSONDecoder.hpp"
#include "platform/json/JSONEncoder.hpp"

namespace corvend {

// The one JSON encoder of every request body, with JSONEncoder's default settings (dates as
// seconds since 2001-01-01T00:00:00Z, bytes as Base64). Made once, on first use
// (thread-safely); never changed, never destroyed (requests running at exit use it).
const platform::JSONEncoder& sharedRequestEncoder();

// The one JSON decoder of every JSON reply: JSONDecoder's default settings but for the kit's
// date rule (DateDecoder). Made once, on first use (thread-safely); never changed, never
// destroyed.
const platform::JSONDecoder& sharedResponseDecoder();

}  // namespace corvend
