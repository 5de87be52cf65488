#include "CorvendWallet/services/money/PaymentFlowRepository.hpp"

#include <stdexcept>
#include <utility>

namespace corvend {

PaymentFlowRepository::PaymentFlowRepository(
    std::shared_ptr<Networkable> networkManager,
    std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider)
    : networkManager_(std::move(networkManager)),
      fingerprintProvider_(std::move(fingerprintProvider)) {
    if (!networkManager_ || !fingerprintProvider_) {
        throw std::invalid_argument(
            "a payment repository needs a network manager and a device fingerprint provider");
    }
}

}  // namespace corvend
