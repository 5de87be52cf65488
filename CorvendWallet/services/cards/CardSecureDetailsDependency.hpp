#pragma once

#include <memory>

#include "CorvendWallet/setup/DeviceFingerprintProvider.hpp"
#include "CorvendWallet/networking/Networkable.hpp"
#include "CorvendWallet/foundation/Dependency.hpp"

namespace corvend {

// What the card secure-details screen needs: the network manager that asks for the page and
// the provider of the fingerprint that the request carries.
class CardSecureDetailsDependency : public virtual Dependency {
  public:
    virtual std::shared_ptr<Networkable> networkManager() const = 0;
    virtual std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider() const = 0;
};

}  // namespace corvend
