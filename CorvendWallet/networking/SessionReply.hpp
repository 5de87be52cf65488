#pragma once

#include <memory>
#include <optional>

#include "platform/foundation/Data.hpp"
#include "platform/http/URLResponse.hpp"

namespace corvend {

// A reply as the transport hands it over. A real session always delivers a body (possibly
// empty); `body` is optional so that a transport that delivers none can be represented.
struct SessionReply {
    std::optional<platform::Data> body;
    std::shared_ptr<platform::URLResponse> response;
};

}  // namespace corvend
