#include "CorvendWallet/services/cards/CardRepositoryComponent.hpp"

#include <stdexcept>
#include <utility>

namespace corvend {

std::shared_ptr<CardRepositoryComponent> CardRepositoryComponent::make(
    std::shared_ptr<Networkable> networkManager,
    std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider,
    std::shared_ptr<EnvironmentPropertiesProvider> environmentProperties) {
    return std::make_shared<CardRepositoryComponent>(std::move(networkManager),
                                                     std::move(deviceFingerprintProvider),
                                                     std::move(environmentProperties));
}

CardRepositoryComponent::CardRepositoryComponent(
    std::shared_ptr<Networkable> networkManager,
    std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider,
    std::shared_ptr<EnvironmentPropertiesProvider> environmentProperties)
    : networkManager_(std::move(networkManager)),
      deviceFingerprintProvider_(std::move(deviceFingerprintProvider)),
      environmentProperties_(std::move(environmentProperties)) {
    if (!networkManager_ || !deviceFingerprintProvider_ || !environmentProperties_) {
        throw std::invalid_argument(
            "a card repository needs a network manager, a fingerprint provider and the "
            "environment properties");
    }
}

}  // namespace corvend
