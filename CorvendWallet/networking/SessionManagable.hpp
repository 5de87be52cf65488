#pragma once

#include <memory>
#include <optional>

#include "platform/foundation/Data.hpp"
#include "platform/http/URLRequest.hpp"
#include "platform/http/URLResponse.hpp"

namespace corvend {

// A reply as the transport hands it over. A real session always delivers a body (possibly
// empty); `body` is optional so that a transport that delivers none can be represented.
struct SessionReply {
    std::optional<platform::Data> body;
    std::shared_ptr<platform::URLResponse> response;
};

// What a network manager sends through.
class SessionManagable {
  public:
    virtual ~SessionManagable() = default;

    // Sends `request` and blocks until the reply. Throws the transport's platform::URLError,
    // or platform::CancellationError when the current task is cancelled.
    virtual SessionReply data(const platform::URLRequest& request) = 0;
};

}  // namespace corvend
