#pragma once

#include <memory>

#include "CorvendWallet/setup/DeviceFingerprintProvider.hpp"
#include "CorvendWallet/networking/Networkable.hpp"

namespace corvend {

// What the deposit, withdrawal and transfer repositories are built on: the network manager
// that performs every call and the provider of the fingerprint that previews carry. Neither
// changes after construction, and the repositories keep no other state, so concurrent calls are
// independent. Each of their operations makes exactly one call and adds no error: what the
// provider (asked by preview alone, which then sends nothing) or the network manager throws
// passes through unchanged. Replies map without failing: texts the kit does not know read as
// `unknown`.
class PaymentFlowRepository {
  public:
    // Throws std::invalid_argument when either object is null.
    PaymentFlowRepository(std::shared_ptr<Networkable> networkManager,
                          std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider);

    const std::shared_ptr<Networkable>& networkManager() const noexcept { return networkManager_; }
    const std::shared_ptr<DeviceFingerprintProvider>& fingerprintProvider() const noexcept {
        return fingerprintProvider_;
    }

  private:
    std::shared_ptr<Networkable> networkManager_;
    std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider_;
};

}  // namespace corvend
