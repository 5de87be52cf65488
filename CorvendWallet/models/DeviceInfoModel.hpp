#pragma once

#include <boost/describe.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/json/JSONCoding.hpp"

namespace corvend {

// The device block "deviceInfo" of preview and secure-details requests. Written only; the
// session identifier is left out when absent, the application type is always written.
struct DeviceInfoModel {
    // The application type every sender writes.
    static constexpr std::string_view kMobileApp = "MOBILE_APP";

    // The service names the profiling session after the profiling vendor's product; the member
    // keeps a neutral name.
    static constexpr platform::JSONKey jsonKeys[] = {{"deviceSessionId", "threatMetrixSessionId"}};

    std::optional<std::string> deviceSessionId{};  // the device fingerprint of this request
    std::string appType;

    // The block of a request made with the device fingerprint `fingerprint`.
    static DeviceInfoModel mobileApp(std::optional<std::string> fingerprint) {
        return {std::move(fingerprint), std::string(kMobileApp)};
    }

    friend bool operator==(const DeviceInfoModel&, const DeviceInfoModel&) = default;
};
BOOST_DESCRIBE_STRUCT(DeviceInfoModel, (), (deviceSessionId, appType))

}  // namespace corvend
