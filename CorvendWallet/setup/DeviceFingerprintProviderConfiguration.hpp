#pragma once

#include <optional>
#include <string>

namespace corvend {

// The device-screening settings the wallet service hands out at set-up.
struct DeviceFingerprintProviderConfiguration {
    // Organisation identifier for the profiler.
    std::string organizationID;
    // The profiler's server.
    std::string screenHost;
    // How long a fingerprint may be reused, in seconds; absent: for ever.
    std::optional<double> sessionExpiry;

    friend bool operator==(const DeviceFingerprintProviderConfiguration&,
                           const DeviceFingerprintProviderConfiguration&) = default;
};

}  // namespace corvend
