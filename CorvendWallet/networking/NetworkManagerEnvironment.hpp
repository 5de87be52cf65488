#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/url/URL.hpp"

namespace corvend {

// Everything a network manager adds to each request.
struct NetworkManagerEnvironment {
    platform::URL baseURL;                       // endpoint paths resolve against it; ends in "/"
    std::map<std::string, std::string> headers;  // added to every request
    std::optional<std::string> accessToken;      // "Authorization: Bearer <token>" when present
    double timeout = 15.0;                       // seconds

    friend bool operator==(const NetworkManagerEnvironment&,
                           const NetworkManagerEnvironment&) = default;
};

}  // namespace corvend
