#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/core/models/PaymentInstrumentReference.hpp"
#include "CorvendWallet/core/models/PaymentOptionType.hpp"
#include "CorvendWallet/core/models/PaymentProperty.hpp"
#include "CorvendWallet/core/models/PaymentStatus.hpp"
#include "CorvendWallet/core/models/SimpleFeePayment.hpp"
#include "CorvendWallet/services/money/DepositAction.hpp"
#include "CorvendWallet/services/money/RedirectLink.hpp"
#include "CorvendWallet/services/money/ReturnLink.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend {
class DepositRepository;
}  // namespace corvend

namespace corvend::model {

// One deposit as the wallet service records it. Only the kit makes it, from the service's
// reply; texts the kit does not know read as the `unknown` case of their enumeration, so a
// record never fails to map.
class CustomerDeposit {
  public:
    // Minor units of currencyCode().
    std::int64_t amount() const noexcept { return amount_; }
    const std::string& currencyCode() const noexcept { return currencyCode_; }
    PaymentOptionType paymentOption() const noexcept { return paymentOption_; }
    const std::optional<PaymentInstrumentReference>& paymentInstrumentReference() const noexcept {
        return paymentInstrumentReference_;
    }
    const std::optional<std::string>& merchantRefNum() const noexcept { return merchantRefNum_; }
    // Absent when the service sent none; empty when it sent an empty list.
    const std::optional<std::vector<ReturnLink>>& returnUrls() const noexcept {
        return returnUrls_;
    }
    const std::optional<std::vector<PaymentProperty>>& paymentProperties() const noexcept {
        return paymentProperties_;
    }
    const std::string& id() const noexcept { return id_; }
    const std::string& customerID() const noexcept { return customerID_; }
    const std::string& accountID() const noexcept { return accountID_; }
    const std::optional<std::string>& slipID() const noexcept { return slipID_; }
    const std::optional<std::string>& fundingTransactionID() const noexcept {
        return fundingTransactionID_;
    }
    const platform::Date& creationTime() const noexcept { return creationTime_; }
    const std::optional<platform::Date>& expirationTime() const noexcept { return expirationTime_; }
    PaymentStatus status() const noexcept { return status_; }
    const std::optional<std::string>& statusReason() const noexcept { return statusReason_; }
    // Empty when the service names no next status.
    const std::vector<PaymentStatus>& nextStatus() const noexcept { return nextStatus_; }
    // The page to send the customer to when action() is `redirect`.
    const std::optional<RedirectLink>& redirectUrl() const noexcept { return redirectUrl_; }
    // Always present: `unknown` when the service sent none.
    const std::optional<DepositAction>& action() const noexcept { return action_; }
    // Empty when the service names no fee.
    const std::vector<SimpleFeePayment>& fees() const noexcept { return fees_; }

    // Field by field in declaration order; lists by length, then element by element in order.
    friend bool operator==(const CustomerDeposit&, const CustomerDeposit&) = default;

  private:
    friend class corvend::DepositRepository;

    CustomerDeposit() = default;

    std::int64_t amount_ = 0;
    std::string currencyCode_;
    PaymentOptionType paymentOption_ = PaymentOptionType::unknown;
    std::optional<PaymentInstrumentReference> paymentInstrumentReference_;
    std::optional<std::string> merchantRefNum_;
    std::optional<std::vector<ReturnLink>> returnUrls_;
    std::optional<std::vector<PaymentProperty>> paymentProperties_;
    std::string id_;
    std::string customerID_;
    std::string accountID_;
    std::optional<std::string> slipID_;
    std::optional<std::string> fundingTransactionID_;
    platform::Date creationTime_;
    std::optional<platform::Date> expirationTime_;
    PaymentStatus status_ = PaymentStatus::unknown;
    std::optional<std::string> statusReason_;
    std::vector<PaymentStatus> nextStatus_;
    std::optional<RedirectLink> redirectUrl_;
    std::optional<DepositAction> action_;
    std::vector<SimpleFeePayment> fees_;
};

}  // namespace corvend::model
