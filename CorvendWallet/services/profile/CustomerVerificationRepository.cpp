#include "CorvendWallet/services/profile/CustomerVerificationRepository.hpp"

#include <stdexcept>
#include <utility>

namespace corvend {

CustomerVerificationRepository::CustomerVerificationRepository(
    std::shared_ptr<Networkable> networkManager, ScreenFactory screen)
    : networkManager_(std::move(networkManager)), screen_(std::move(screen)) {
    if (!networkManager_) {
        throw std::invalid_argument("CustomerVerificationRepository needs a network manager");
    }
}

std::shared_ptr<CustomerVerificationRepository> CustomerVerificationRepository::make(
    std::shared_ptr<Networkable> networkManager, ScreenFactory screen) {
    return std::make_shared<CustomerVerificationRepository>(std::move(networkManager),
                                                            std::move(screen));
}

std::shared_ptr<CustomerVerificationScreen>
CustomerVerificationRepository::doStartCustomerVerification(
    const model::CustomerVerificationRequest& request) {
    if (!screen_) {
        throw std::logic_error("the verification service was made without its screen");
    }
    return screen_(request, networkManager_);
}

model::KycVerification CustomerVerificationRepository::doGetKycStatus() {
    return kycVerification(
        networkManager_->request(CustomerVerificationServiceEndpoint::kycStatus()));
}

model::KycVerification CustomerVerificationRepository::kycVerification(
    const CustomerVerificationServiceEndpoint::KycVerificationResponse& response) {
    model::KycVerification verification;
    verification.customerId_ = response.customerId;
    verification.externalId_ = response.externalId;
    verification.status_ =
        model::fromWire<model::KycVerificationStatus>(response.kycVerificationStatus);
    return verification;
}

}  // namespace corvend
