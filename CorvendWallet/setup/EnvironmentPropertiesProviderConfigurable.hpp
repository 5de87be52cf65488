#pragma once

#include "platform/foundation/DeviceInfo.hpp"

namespace corvend {

// Takes the device the kit runs on, at each set-up.
class EnvironmentPropertiesProviderConfigurable {
  public:
    virtual ~EnvironmentPropertiesProviderConfigurable() = default;

    // Updates the values that depend on `device`; never fails. Callable from any thread.
    virtual void configure(const platform::DeviceInfo& device) = 0;

  protected:
    EnvironmentPropertiesProviderConfigurable() = default;
    EnvironmentPropertiesProviderConfigurable(const EnvironmentPropertiesProviderConfigurable&) =
        default;
    EnvironmentPropertiesProviderConfigurable& operator=(
        const EnvironmentPropertiesProviderConfigurable&) = default;
};

}  // namespace corvend
