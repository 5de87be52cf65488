#pragma once

#include <string>

namespace corvend::platform {

// What the kit tells the wallet service about the machine it runs on.
struct DeviceInfo {
    std::string systemName;     // e.g. "Linux"
    std::string systemVersion;  // e.g. "6.1.0-18-amd64"

    friend bool operator==(const DeviceInfo&, const DeviceInfo&) = default;
};

// The running system's name and release as the kernel reports them. Never empty: falls back
// to "Linux" and "0" should the kernel not answer.
DeviceInfo currentDevice();

}  // namespace corvend::platform
