#pragma once

#include <map>
#include <string>

namespace corvend {

// The values by which the kit identifies itself to the wallet service. Every member may be
// called from any thread at any time and never fails; platform() and userAgent() may change
// when the kit is configured, version() never does.
class EnvironmentPropertiesProvider {
  public:
    virtual ~EnvironmentPropertiesProvider() = default;

    // The kit's version text, as stored (e.g. "1.2.3").
    virtual std::string version() const = 0;
    // The current platform text (e.g. "iOS 17.2").
    virtual std::string platform() const = 0;
    // The current user-agent text.
    virtual std::string userAgent() const = 0;
    // The kit's request headers, built anew from the current values on each call.
    virtual std::map<std::string, std::string> headers() const = 0;
};

}  // namespace corvend
