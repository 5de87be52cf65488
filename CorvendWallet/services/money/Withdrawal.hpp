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
#include "platform/foundation/Date.hpp"

namespace corvend {
class WithdrawalRepository;
}  // namespace corvend

namespace corvend::model {

// One withdrawal as the service reports it: what preview, create, confirm and read return.
// Only the kit makes it, from the service's reply; enumerated values the kit does not know
// read as `unknown`, and every other value is passed on unchecked.
class Withdrawal {
  public:
    // Minor units of currencyCode().
    std::int64_t amount() const noexcept { return amount_; }
    const std::string& currencyCode() const noexcept { return currencyCode_; }
    PaymentOptionType paymentOption() const noexcept { return paymentOption_; }
    const std::optional<PaymentInstrumentReference>& paymentInstrumentReference() const noexcept {
        return paymentInstrumentReference_;
    }
    const std::optional<std::string>& merchantRefNum() const noexcept { return merchantRefNum_; }
    // Absent when the service sent none; an empty list when it sent an empty one.
    const std::optional<std::vector<PaymentProperty>>& paymentProperties() const noexcept {
        return paymentProperties_;
    }
    // What create, confirm and read take back.
    const std::string& id() const noexcept { return id_; }
    const std::string& accountID() const noexcept { return accountID_; }
    const std::string& customerID() const noexcept { return customerID_; }
    const platform::Date& creationTime() const noexcept { return creationTime_; }
    const std::optional<platform::Date>& expirationTime() const noexcept { return expirationTime_; }
    // Never absent: empty when the service sent no fees.
    const std::vector<SimpleFeePayment>& fees() const noexcept { return fees_; }
    const std::optional<std::string>& fundingTransactionID() const noexcept {
        return fundingTransactionID_;
    }
    const std::optional<std::string>& slipID() const noexcept { return slipID_; }
    PaymentStatus status() const noexcept { return status_; }
    const std::optional<std::string>& statusReason() const noexcept { return statusReason_; }

    // Field by field: an absent value equals only an absent one (an absent reason is not an
    // empty one), dates by instant.
    friend bool operator==(const Withdrawal&, const Withdrawal&) = default;

  private:
    friend class corvend::WithdrawalRepository;

    // The repository sets every field from the reply.
    Withdrawal() = default;

    std::int64_t amount_ = 0;
    std::string currencyCode_;
    PaymentOptionType paymentOption_ = PaymentOptionType::unknown;
    std::optional<PaymentInstrumentReference> paymentInstrumentReference_;
    std::optional<std::string> merchantRefNum_;
    std::optional<std::vector<PaymentProperty>> paymentProperties_;
    std::string id_;
    std::string accountID_;
    std::string customerID_;
    platform::Date creationTime_;
    std::optional<platform::Date> expirationTime_;
    std::vector<SimpleFeePayment> fees_;
    std::optional<std::string> fundingTransactionID_;
    std::optional<std::string> slipID_;
    PaymentStatus status_ = PaymentStatus::unknown;
    std::optional<std::string> statusReason_;
};

}  // namespace corvend::model
