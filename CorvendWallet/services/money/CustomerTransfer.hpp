#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/models/FxAmount.hpp"
#include "CorvendWallet/models/PaymentStatus.hpp"
#include "CorvendWallet/models/SimpleFeePayment.hpp"
#include "CorvendWallet/models/TransferDetails.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend {
class TransferRepository;
}  // namespace corvend

namespace corvend::model {

// One transfer of the signed-in customer to a recipient. Only the kit makes it, from the
// service's reply, and passes every value on unchecked. Its identity is id(): two records with
// the same id and different statuses are the same transfer but unequal values.
class CustomerTransfer {
  public:
    // Who receives a transfer. A host names one by customer identifier or by e-mail address;
    // a recipient read from the service may carry both, or neither.
    class CustomerTransferRecipient {
      public:
        // The recipient with customer identifier `customerID` and no e-mail address.
        static CustomerTransferRecipient withCustomerID(std::string customerID) {
            return CustomerTransferRecipient(std::move(customerID), std::nullopt);
        }
        // The recipient with e-mail address `email` and no customer identifier.
        static CustomerTransferRecipient withEmail(std::string email) {
            return CustomerTransferRecipient(std::nullopt, std::move(email));
        }

        const std::optional<std::string>& customerID() const noexcept { return customerID_; }
        const std::optional<std::string>& email() const noexcept { return email_; }

        friend bool operator==(const CustomerTransferRecipient&,
                               const CustomerTransferRecipient&) = default;

      private:
        friend class corvend::TransferRepository;

        CustomerTransferRecipient(std::optional<std::string> customerID,
                                  std::optional<std::string> email)
            : customerID_(std::move(customerID)), email_(std::move(email)) {}

        std::optional<std::string> customerID_;
        std::optional<std::string> email_;
    };

    const std::string& id() const noexcept { return id_; }
    std::int64_t amount() const noexcept { return amount_; }  // minor units of currencyCode()
    const std::string& currencyCode() const noexcept { return currencyCode_; }
    const std::optional<CustomerTransferRecipient>& recipient() const noexcept {
        return recipient_;
    }
    const std::optional<std::string>& merchantRefNum() const noexcept { return merchantRefNum_; }
    // The currency-exchange quote the transfer uses, as the service returns it.
    const std::optional<std::string>& fxQuote() const noexcept { return fxQuote_; }
    const TransferDetails& transferDetails() const noexcept { return transferDetails_; }
    // In the reply's order; empty when the service names none.
    const std::vector<SimpleFeePayment>& fees() const noexcept { return fees_; }
    const platform::Date& creationTime() const noexcept { return creationTime_; }
    const std::optional<platform::Date>& expirationTime() const noexcept { return expirationTime_; }
    // `unknown` for a status the kit does not know.
    PaymentStatus status() const noexcept { return status_; }
    const std::optional<std::string>& slipID() const noexcept { return slipID_; }
    // The converted amount, when a conversion applies.
    const std::optional<FxAmount>& fxAmount() const noexcept { return fxAmount_; }

    // Field by field, in declaration order; fees element by element.
    friend bool operator==(const CustomerTransfer&, const CustomerTransfer&) = default;

  private:
    friend class corvend::TransferRepository;

    CustomerTransfer() = default;

    std::string id_;
    std::int64_t amount_ = 0;
    std::string currencyCode_;
    std::optional<CustomerTransferRecipient> recipient_;
    std::optional<std::string> merchantRefNum_;
    std::optional<std::string> fxQuote_;
    TransferDetails transferDetails_;
    std::vector<SimpleFeePayment> fees_;
    platform::Date creationTime_;
    std::optional<platform::Date> expirationTime_;
    PaymentStatus status_ = PaymentStatus::unknown;
    std::optional<std::string> slipID_;
    std::optional<FxAmount> fxAmount_;
};

}  // namespace corvend::model
