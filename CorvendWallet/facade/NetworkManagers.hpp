#pragma once

#include <memory>

#include "CorvendWallet/networking/Networkable.hpp"

namespace corvend {

// The kit's three network managers, one per authentication role.
struct NetworkManagers {
    // Carries the customer's access token; serves every data service.
    std::shared_ptr<Networkable> userAuthenticated;
    // Carries the configuration token; serves the set-up request.
    std::shared_ptr<Networkable> weaklyAuthenticated;
    // Carries no token; serves the error events.
    std::shared_ptr<Networkable> unauthenticated;
};

}  // namespace corvend
