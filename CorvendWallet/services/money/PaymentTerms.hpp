#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/models/PaymentInstrumentReference.hpp"
#include "CorvendWallet/models/PaymentOptionType.hpp"
#include "CorvendWallet/models/PaymentProperty.hpp"

namespace corvend::model {

class PaymentRecord;

// What a deposit or a withdrawal moves, and how: the values the host previews one with and
// that its record reports back. The domains' requests and records derive from it. Every value
// is stored as given: nothing is checked, and absent `paymentProperties` differ from an empty
// list (absent is left out of a request, empty is sent as []).
class PaymentTerms {
  public:
    // `amount` in minor units of `currencyCode`.
    PaymentTerms(std::int64_t amount, std::string currencyCode, PaymentOptionType paymentOption,
                 std::optional<PaymentInstrumentReference> paymentInstrumentReference,
                 std::optional<std::string> merchantRefNum,
                 std::optional<std::vector<PaymentProperty>> paymentProperties)
        : amount_(amount),
          currencyCode_(std::move(currencyCode)),
          paymentOption_(paymentOption),
          paymentInstrumentReference_(std::move(paymentInstrumentReference)),
          merchantRefNum_(std::move(merchantRefNum)),
          paymentProperties_(std::move(paymentProperties)) {}

    // Minor units of currencyCode().
    std::int64_t amount() const noexcept { return amount_; }
    const std::string& currencyCode() const noexcept { return currencyCode_; }
    PaymentOptionType paymentOption() const noexcept { return paymentOption_; }
    const std::optional<PaymentInstrumentReference>& paymentInstrumentReference() const noexcept {
        return paymentInstrumentReference_;
    }
    const std::optional<std::string>& merchantRefNum() const noexcept { return merchantRefNum_; }
    const std::optional<std::vector<PaymentProperty>>& paymentProperties() const noexcept {
        return paymentProperties_;
    }

  protected:
    // A record's terms before the kit fills them from the reply.
    PaymentTerms() = default;

  private:
    // Requests have no equality; records compare their terms field by field.
    friend class PaymentRecord;
    bool operator==(const PaymentTerms&) const = default;

    std::int64_t amount_ = 0;
    std::string currencyCode_;
    PaymentOptionType paymentOption_ = PaymentOptionType::unknown;
    std::optional<PaymentInstrumentReference> paymentInstrumentReference_;
    std::optional<std::string> merchantRefNum_;
    std::optional<std::vector<PaymentProperty>> paymentProperties_;
};

}  // namespace corvend::model
