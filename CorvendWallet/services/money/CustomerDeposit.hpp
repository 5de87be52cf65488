#pragma once

#include <optional>
#include <vector>

#include "CorvendWallet/models/PaymentStatus.hpp"
#include "CorvendWallet/services/money/DepositAction.hpp"
#include "CorvendWallet/services/money/PaymentRecord.hpp"
#include "CorvendWallet/services/money/RedirectLink.hpp"
#include "CorvendWallet/services/money/ReturnLink.hpp"

namespace corvend {
class DepositRepository;
}  // namespace corvend

namespace corvend::model {

// One deposit as the wallet service records it. Only the kit makes it, from the service's
// reply; texts the kit does not know read as the `unknown` case of their enumeration, so a
// record never fails to map.
class CustomerDeposit : public PaymentRecord {
  public:
    // Absent when the service sent none; empty when it sent an empty list.
    const std::optional<std::vector<ReturnLink>>& returnUrls() const noexcept {
        return returnUrls_;
    }
    // Empty when the service names no next status.
    const std::vector<PaymentStatus>& nextStatus() const noexcept { return nextStatus_; }
    // The page to send the customer to when action() is `redirect`.
    const std::optional<RedirectLink>& redirectUrl() const noexcept { return redirectUrl_; }
    // Always present: `unknown` when the service sent none.
    const std::optional<DepositAction>& action() const noexcept { return action_; }

    // The shared fields first (see PaymentRecord), then these in declaration order.
    bool operator==(const CustomerDeposit&) const = default;

  private:
    friend class corvend::DepositRepository;

    CustomerDeposit() = default;

    std::optional<std::vector<ReturnLink>> returnUrls_;
    std::vector<PaymentStatus> nextStatus_;
    std::optional<RedirectLink> redirectUrl_;
    std::optional<DepositAction> action_;
};

}  // namespace corvend::model
