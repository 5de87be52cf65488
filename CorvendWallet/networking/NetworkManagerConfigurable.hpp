#pragma once

#include <string>

#include "CorvendWallet/networking/NetworkManagerEnvironment.hpp"
#include "CorvendWallet/networking/NetworkManagerErrorReporter.hpp"

namespace corvend {

// How the set-up configures a network manager. None of the operations waits for its effect.
class NetworkManagerConfigurable {
  public:
    virtual ~NetworkManagerConfigurable() = default;

    // Queues the replacement of the whole environment (token included).
    virtual void setEnvironment(NetworkManagerEnvironment environment) = 0;
    // Queues a new token for the current environment; dropped when there is none yet.
    virtual void setAccessToken(std::string token) = 0;
    // Replaces the decoding-failure reporter at once.
    virtual void setErrorReporter(NetworkManagerErrorReporter reporter) = 0;
};

}  // namespace corvend
