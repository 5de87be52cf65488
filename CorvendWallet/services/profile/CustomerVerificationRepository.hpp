#pragma once

#include <memory>

#include "CorvendWallet/networking/Networkable.hpp"
#include "CorvendWallet/services/profile/CustomerVerificationService.hpp"
#include "CorvendWallet/services/profile/CustomerVerificationServiceEndpoint.hpp"

namespace corvend {

// The identity-verification service over one network manager. It adds no error and keeps no
// state, so concurrent calls are independent.
class CustomerVerificationRepository final : public CustomerVerificationService {
  public:
    // Throws std::invalid_argument for a null `networkManager`.
    explicit CustomerVerificationRepository(std::shared_ptr<Networkable> networkManager);

    static std::shared_ptr<CustomerVerificationRepository> make(
        std::shared_ptr<Networkable> networkManager);

    const std::shared_ptr<Networkable>& networkManager() const noexcept { return networkManager_; }

    // The two identifiers copied, the status read by its table (`unknown` for any other text).
    static model::KycVerification kycVerification(
        const CustomerVerificationServiceEndpoint::KycVerificationResponse& response);

  private:
    model::KycVerification doGetKycStatus() override;

    const std::shared_ptr<Networkable> networkManager_;
};

}  // namespace corvend
