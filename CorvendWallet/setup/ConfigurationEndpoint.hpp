#pragma once

#include <boost/describe.hpp>
#include <cstdint>
#include <optional>
#include <string>

#include "CorvendWallet/networking/Endpoint.hpp"

namespace corvend::ConfigurationEndpoint {

// The device-screening settings of the configuration reply.
struct DeviceScreeningResult {
    std::string organizationId;
    std::string screenHost;
    std::optional<std::int64_t> sessionExpiry;  // milliseconds
    friend bool operator==(const DeviceScreeningResult&, const DeviceScreeningResult&) = default;
};
BOOST_DESCRIBE_STRUCT(DeviceScreeningResult, (), (organizationId, screenHost, sessionExpiry))

struct ConfigurationResult {
    DeviceScreeningResult deviceScreening;
    friend bool operator==(const ConfigurationResult&, const ConfigurationResult&) = default;
};
BOOST_DESCRIBE_STRUCT(ConfigurationResult, (), (deviceScreening))

// GET "digitalwallets/v1/auth/configurations".
Endpoint<ConfigurationResult> configurations();

}  // namespace corvend::ConfigurationEndpoint
