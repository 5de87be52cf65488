#pragma once

#include <functional>
#include <string>

#include "CorvendWallet/setup/DeviceFingerprintProvider.hpp"
#include "platform/foundation/UUID.hpp"

namespace corvend {

// A fingerprint provider without device profiling: every call returns a new identifier.
class SimpleDeviceFingerprintProvider final : public DeviceFingerprintProvider {
  public:
    explicit SimpleDeviceFingerprintProvider(std::function<platform::UUID()> uuidGenerator =
                                                 [] { return platform::UUID(); })
        : uuidGenerator_(std::move(uuidGenerator)) {}

    std::string fingerprint() override { return uuidGenerator_().uuidString(); }

  private:
    std::function<platform::UUID()> uuidGenerator_;
};

}  // namespace corvend
