#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/models/PaymentStatus.hpp"
#include "CorvendWallet/models/SimpleFeePayment.hpp"
#include "CorvendWallet/services/money/PaymentTerms.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend {
struct PaymentRecordResponse;
}  // namespace corvend

namespace corvend::model {
class PaymentRecord;
}  // namespace corvend::model

namespace corvend::PaymentFlowMapping {
void fillRecord(model::PaymentRecord& record, const PaymentRecordResponse& reply);
}  // namespace corvend::PaymentFlowMapping

namespace corvend::model {

// What a deposit and a withdrawal record both carry, as the service reports it: the terms the
// host previewed with, and what the service added. Only the kit makes one, from the service's
// reply: enumerated values the kit does not know read as `unknown`, and every other value is
// passed on unchecked.
class PaymentRecord : public PaymentTerms {
  public:
    // What create, confirm and read take back.
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
    // Never absent: empty when the service named no fee.
    const std::vector<SimpleFeePayment>& fees() const noexcept { return fees_; }

  protected:
    PaymentRecord() = default;

  private:
    // Only records of one kind compare: the terms, then field by field (an absent value equals
    // only an absent one, dates by instant, lists element by element in order).
    friend class CustomerDeposit;
    friend class Withdrawal;
    bool operator==(const PaymentRecord&) const = default;

    // One mapping fills these for every domain whose records share them.
    friend void PaymentFlowMapping::fillRecord(PaymentRecord& record,
                                               const PaymentRecordResponse& reply);

    std::string id_;
    std::string customerID_;
    std::string accountID_;
    std::optional<std::string> slipID_;
    std::optional<std::string> fundingTransactionID_;
    platform::Date creationTime_;
    std::optional<platform::Date> expirationTime_;
    PaymentStatus status_ = PaymentStatus::unknown;
    std::optional<std::string> statusReason_;
    std::vector<SimpleFeePayment> fees_;
};

}  // namespace corvend::model
