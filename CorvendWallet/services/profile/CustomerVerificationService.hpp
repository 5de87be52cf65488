#pragma once

#include <functional>
#include <memory>

#include "CorvendWallet/foundation/CompletionBridge.hpp"
#include "CorvendWallet/services/profile/CustomerVerificationRequest.hpp"
#include "CorvendWallet/services/profile/CustomerVerificationScreen.hpp"
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
    model::KycVerification getKycStatus() {
        return callServiceOperation(*this, &CustomerVerificationService::doGetKycStatus);
    }
    std::shared_ptr<WalletOperationHandle> getKycStatus(StatusCompletion completion) {
        return runServiceOperation(shared_from_this(), &CustomerVerificationService::doGetKycStatus,
                                   std::move(completion));
    }

    // A new identity-verification screen for `request`; making it opens the session on the
    // service. Returns at once and never fails: a session that cannot be opened or shown
    // reaches the screen's completion as `internalError`. Which ends are reported, and which
    // not: see CustomerVerificationScreen. Call it on the main thread; the host sets the
    // completion and presents the screen.
    std::shared_ptr<CustomerVerificationScreen> startCustomerVerification(
        const model::CustomerVerificationRequest& request) {
        return callServiceOperation(
            *this, &CustomerVerificationService::doStartCustomerVerification, request);
    }

  protected:
    CustomerVerificationService() = default;
    CustomerVerificationService(const CustomerVerificationService&) = default;
    CustomerVerificationService& operator=(const CustomerVerificationService&) = default;

  private:
    virtual model::KycVerification doGetKycStatus() = 0;
    virtual std::shared_ptr<CustomerVerificationScreen> doStartCustomerVerification(
        const model::CustomerVerificationRequest& request) = 0;
};

}  // namespace corvend
