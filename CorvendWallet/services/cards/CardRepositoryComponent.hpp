#pragma once

#include <memory>

#include "CorvendWallet/setup/DeviceFingerprintProvider.hpp"
#include "CorvendWallet/setup/EnvironmentPropertiesProvider.hpp"
#include "CorvendWallet/networking/Networkable.hpp"
#include "CorvendWallet/services/cards/CardSecureDetailsDependency.hpp"
#include "CorvendWallet/foundation/EmptyComponent.hpp"

namespace corvend {

// The card repository's collaborators, fixed at creation; also the dependency of the card
// secure-details screen.
class CardRepositoryComponent final : public EmptyComponent, public CardSecureDetailsDependency {
  public:
    // Throws std::invalid_argument when any of them is null.
    static std::shared_ptr<CardRepositoryComponent> make(
        std::shared_ptr<Networkable> networkManager,
        std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider,
        std::shared_ptr<EnvironmentPropertiesProvider> environmentProperties);

    CardRepositoryComponent(std::shared_ptr<Networkable> networkManager,
                            std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider,
                            std::shared_ptr<EnvironmentPropertiesProvider> environmentProperties);

    std::shared_ptr<Networkable> networkManager() const override { return networkManager_; }
    std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider() const override {
        return deviceFingerprintProvider_;
    }
    // The source of the user agent that issuing, updating and activating send.
    const std::shared_ptr<EnvironmentPropertiesProvider>& environmentProperties() const noexcept {
        return environmentProperties_;
    }

  private:
    const std::shared_ptr<Networkable> networkManager_;
    const std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider_;
    const std::shared_ptr<EnvironmentPropertiesProvider> environmentProperties_;
};

}  // namespace corvend
