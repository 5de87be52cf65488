#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/core/models/PaymentInstrumentReference.hpp"
#include "CorvendWallet/core/models/PaymentOptionType.hpp"
#include "CorvendWallet/core/models/PaymentProperty.hpp"
#include "CorvendWallet/services/money/ReturnLink.hpp"

namespace corvend::model {

// What the host previews a deposit with. Every value reaches the service as given: nothing is
// checked, and an empty list is sent as an empty list, unlike an absent one.
class DepositRequest {
  public:
    DepositRequest(std::int64_t amount, std::string currencyCode, PaymentOptionType paymentOption,
                   std::optional<PaymentInstrumentReference> paymentInstrumentReference,
                   std::optional<std::string> merchantRefNum,
                   std::optional<std::vector<ReturnLink>> returnUrls,
                   std::optional<std::vector<PaymentProperty>> paymentProperties)
        : amount_(amount),
          currencyCode_(std::move(currencyCode)),
          paymentOption_(paymentOption),
          paymentInstrumentReference_(std::move(paymentInstrumentReference)),
          merchantRefNum_(std::move(merchantRefNum)),
          returnUrls_(std::move(returnUrls)),
          paymentProperties_(std::move(paymentProperties)) {}

    // Minor units of currencyCode().
    std::int64_t amount() const noexcept { return amount_; }
    const std::string& currencyCode() const noexcept { return currencyCode_; }
    PaymentOptionType paymentOption() const noexcept { return paymentOption_; }
    const std::optional<PaymentInstrumentReference>& paymentInstrumentReference() const noexcept {
        return paymentInstrumentReference_;
    }
    const std::optional<std::string>& merchantRefNum() const noexcept { return merchantRefNum_; }
    const std::optional<std::vector<ReturnLink>>& returnUrls() const noexcept {
        return returnUrls_;
    }
    const std::optional<std::vector<PaymentProperty>>& paymentProperties() const noexcept {
        return paymentProperties_;
    }

  private:
    std::int64_t amount_;
    std::string currencyCode_;
    PaymentOptionType paymentOption_;
    std::optional<PaymentInstrumentReference> paymentInstrumentReference_;
    std::optional<std::string> merchantRefNum_;
    std::optional<std::vector<ReturnLink>> returnUrls_;
    std::optional<std::vector<PaymentProperty>> paymentProperties_;
};

}  // namespace corvend::model
