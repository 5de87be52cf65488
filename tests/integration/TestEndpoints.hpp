#pragma once

#include <boost/describe.hpp>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CorvendWallet/networking/JSONEndpoints.hpp"

namespace corvend::integration {

inline constexpr std::string_view kPingPath = "digitalwallets/v1/sandbox/ping";
inline constexpr std::string_view kConfigurationPath = "digitalwallets/v1/auth/configurations";
inline constexpr std::string_view kEventsPath = "digitalwallets/v1/events-tracking/errors";

// The sandbox's diagnostics reply.
struct Ping {
    std::string status;
    std::string time;
};
BOOST_DESCRIBE_STRUCT(Ping, (), (status, time))

}  // namespace corvend::integration
