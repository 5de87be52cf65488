#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/core/models/PaymentInstrumentReference.hpp"
#include "CorvendWallet/core/models/PaymentOptionType.hpp"
#include "CorvendWallet/core/models/PaymentProperty.hpp"

namespace corvend::model {

// The host's description of a withdrawal to preview. Every value reaches the service as
// given, unchecked; the kit adds the device block itself when it sends the preview.
class WithdrawalRequest {
  public:
    // `amount` in minor units of `currencyCode`. Absent `paymentProperties` are left out of
    // the request, while an empty list is sent as an empty list.
    WithdrawalRequest(std::int64_t amount, std::string currencyCode,
                      PaymentOptionType paymentOption,
                      std::optional<PaymentInstrumentReference> paymentInstrumentReference,
                      std::optional<std::string> merchantRefNum,
                      std::optional<std::vector<PaymentProperty>> paymentProperties)
        : amount_(amount),
          currencyCode_(std::move(currencyCode)),
          paymentOption_(paymentOption),
          paymentInstrumentReference_(std::move(paymentInstrumentReference)),
          merchantRefNum_(std::move(merchantRefNum)),
          paymentProperties_(std::move(paymentProperties)) {}

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

  private:
    std::int64_t amount_;
    std::string currencyCode_;
    PaymentOptionType paymentOption_;
    std::optional<PaymentInstrumentReference> paymentInstrumentReference_;
    std::optional<std::string> merchantRefNum_;
    std::optional<std::vector<PaymentProperty>> paymentProperties_;
};

}  // namespace corvend::model
