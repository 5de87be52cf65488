#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/models/FxAmount.hpp"
#include "CorvendWallet/models/PaymentStatus.hpp"
#include "CorvendWallet/models/SimpleFeePayment.hpp"
#include "CorvendWallet/models/TransferDetails.hpp"
#include "CorvendWallet/services/history/TransactionType.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend {
struct TransactionHistoryMapper;
}  // namespace corvend

namespace corvend::model {

// One movement of money on the customer's wallet, as the service records it. Only the kit
// makes one, from the service's reply; its identity is id().
class Transaction {
  public:
    const std::string& id() const noexcept { return id_; }
    // `unknown` for a kind the kit does not know.
    TransactionType type() const noexcept { return type_; }
    // `unknown` for a status the kit does not know.
    PaymentStatus status() const noexcept { return status_; }
    // Minor units of currencyCode(): positive into the wallet, negative out of it.
    std::int64_t amount() const noexcept { return amount_; }
    const std::string& currencyCode() const noexcept { return currencyCode_; }
    const platform::Date& creationTime() const noexcept { return creationTime_; }
    // The deposit, withdrawal or transfer behind the transaction.
    const std::optional<std::string>& paymentID() const noexcept { return paymentID_; }
    const std::optional<std::string>& merchantRefNum() const noexcept { return merchantRefNum_; }
    // In the reply's order; empty when the service names none.
    const std::vector<SimpleFeePayment>& fees() const noexcept { return fees_; }
    const std::optional<FxAmount>& fxAmount() const noexcept { return fxAmount_; }
    // A transfer's reason and text.
    const std::optional<TransferDetails>& transferDetails() const noexcept {
        return transferDetails_;
    }

    friend bool operator==(const Transaction&, const Transaction&) = default;

  private:
    friend struct corvend::TransactionHistoryMapper;

    Transaction() = default;

    std::string id_;
    TransactionType type_ = TransactionType::unknown;
    PaymentStatus status_ = PaymentStatus::unknown;
    std::int64_t amount_ = 0;
    std::string currencyCode_;
    platform::Date creationTime_;
    std::optional<std::string> paymentID_;
    std::optional<std::string> merchantRefNum_;
    std::vector<SimpleFeePayment> fees_;
    std::optional<FxAmount> fxAmount_;
    std::optional<TransferDetails> transferDetails_;
};

}  // namespace corvend::model
