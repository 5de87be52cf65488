#pragma once

#include "CorvendWallet/networking/SessionReply.hpp"
#include "platform/http/URLRequest.hpp"

namespace corvend {

// What a network manager sends through.
class SessionManagable {
  public:
    virtual ~SessionManagable() = default;

    // Sends `request` and blocks until the reply. Throws the transport's platform::URLError,
    // or platform::CancellationError when the current task is cancelled.
    virtual SessionReply data(const platform::URLRequest& request) = 0;
};

}  // namespace corvend
