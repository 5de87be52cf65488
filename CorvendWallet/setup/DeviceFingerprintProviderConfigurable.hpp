#pragma once

#include "CorvendWallet/setup/DeviceFingerprintProviderConfiguration.hpp"

namespace corvend {

// Takes the device-screening settings of the kit's set-up.
class DeviceFingerprintProviderConfigurable {
  public:
    virtual ~DeviceFingerprintProviderConfigurable() = default;

    // Applies `configuration`; returns at once and never fails. Callable from any thread.
    virtual void configure(const DeviceFingerprintProviderConfiguration& configuration) = 0;

  protected:
    DeviceFingerprintProviderConfigurable() = default;
    DeviceFingerprintProviderConfigurable(const DeviceFingerprintProviderConfigurable&) = default;
    DeviceFingerprintProviderConfigurable& operator=(const DeviceFingerprintProviderConfigurable&) =
        default;
};

}  // namespace corvend
