#pragma once

#include <string>

#include "CorvendWallet/services/profile/KycVerificationStatus.hpp"

namespace corvend {
class CustomerVerificationRepository;
}  // namespace corvend

namespace corvend::model {

// The customer's identity-verification status. Only the kit makes one, from the service's
// reply.
class KycVerification {
  public:
    const std::string& customerId() const noexcept { return customerId_; }
    // The verification provider's reference, as the service reports it.
    const std::string& externalId() const noexcept { return externalId_; }
    KycVerificationStatus kycVerificationStatus() const noexcept { return status_; }

    friend bool operator==(const KycVerification&, const KycVerification&) = default;

  private:
    friend class corvend::CustomerVerificationRepository;

    KycVerification() = default;

    std::string customerId_;
    std::string externalId_;
    KycVerificationStatus status_ = KycVerificationStatus::unknown;
};

}  // namespace corvend::model
