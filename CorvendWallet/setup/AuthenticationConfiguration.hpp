#pragma once

#include <string>

namespace corvend::model {

// The customer's access token, obtained by the host.
struct AuthenticationConfiguration {
    std::string accessToken;
};

}  // namespace corvend::model
