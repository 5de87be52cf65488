#pragma once

#include <functional>
#include <memory>

#include "CorvendWallet/networking/Networkable.hpp"
#include "CorvendWallet/services/profile/CustomerVerificationService.hpp"
#include "CorvendWallet/services/profile/CustomerVerificationServiceEndpoint.hpp"

namespace corvend {

// The identity-verification service over one network manager. It adds no error and keeps no
// state, so concurrent calls are independent.
class CustomerVerificationRepository final : public CustomerVerificationService {
  public:
    // Makes the identity-verification screen over the network manager. The screens sit above
    // the services, so the facade hands the repository their builder.
    using ScreenFactory = std::function<std::shared_ptr<CustomerVerificationScreen>(
        const model::CustomerVerificationRequest& request,
        std::shared_ptr<Networkable> networkManager)>;

    // Throws std::invalid_argument for a null `networkManager`. Without `screen`, starting a
    // verification throws std::logic_error (a kit composed without its screens).
    explicit CustomerVerificationRepository(std::shared_ptr<Networkable> networkManager,
                                            ScreenFactory screen = {});

    static std::shared_ptr<CustomerVerificationRepository> make(
        std::shared_ptr<Networkable> networkManager, ScreenFactory screen = {});

    const std::shared_ptr<Networkable>& networkManager() const noexcept { return networkManager_; }

    // The two identifiers copied, the status read by its table (`unknown` for any other text).
    static model::KycVerification kycVerification(
        const CustomerVerificationServiceEndpoint::KycVerificationResponse& response);

  private:
    model::KycVerification doGetKycStatus() override;
    std::shared_ptr<CustomerVerificationScreen> doStartCustomerVerification(
        const model::CustomerVerificationRequest& request) override;

    const std::shared_ptr<Networkable> networkManager_;
    const ScreenFactory screen_;
};

}  // namespace corvend
