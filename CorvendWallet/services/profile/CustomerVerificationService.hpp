#pragma once

#include <functional>
#include <memory>

#include "CorvendWallet/core/foundation/CompletionBridge.hpp"
#include "CorvendWallet/services/profile/KycVerification.hpp"

namespace corvend {

// The customer's identity verification. The shape of the operations and their contract: see
// runServiceOperation.
class CustomerVerificationService
    : public std::enable_shared_from_this<CustomerVerificationService> {
  public:
    using StatusCompletion = std::function<void(Result<model::KycVerification>)>;

    virtual ~CustomerVerificationService() = default;

    // Where the customer's verification stands; an unknown status is no error.
    model::KycVerification getKycStatus() { return doGetKycStatus(); }
    std::shared_ptr<WalletOperationHandle> getKycStatus(StatusCompletion completion) {
        return runServiceOperation(shared_from_this(), &CustomerVerificationService::doGetKycStatus,
                                   std::move(completion));
    }

  protected:
    CustomerVerificationService() = default;
    CustomerVerificationService(const CustomerVerificationService&) = default;
    CustomerVerificationService& operator=(const CustomerVerificationService&) = default;

  private:
    virtual model::KycVerification doGetKycStatus() = 0;
};

}  // namespace corvend
