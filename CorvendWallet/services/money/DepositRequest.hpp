#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/services/money/PaymentTerms.hpp"
#include "CorvendWallet/services/money/ReturnLink.hpp"

namespace corvend::model {

// What the host previews a deposit with: the shared terms (see PaymentTerms)
// and the addresses the payment pages return to. Nothing is checked; an empty list is sent as
// an empty list, unlike an absent one.
class DepositRequest : public PaymentTerms {
  public:
    DepositRequest(std::int64_t amount, std::string currencyCode, PaymentOptionType paymentOption,
                   std::optional<PaymentInstrumentReference> paymentInstrumentReference,
                   std::optional<std::string> merchantRefNum,
                   std::optional<std::vector<ReturnLink>> returnUrls,
                   std::optional<std::vector<PaymentProperty>> paymentProperties)
        : PaymentTerms(amount, std::move(currencyCode), paymentOption,
                       std::move(paymentInstrumentReference), std::move(merchantRefNum),
                       std::move(paymentProperties)),
          returnUrls_(std::move(returnUrls)) {}

    const std::optional<std::vector<ReturnLink>>& returnUrls() const noexcept {
        return returnUrls_;
    }

  private:
    std::optional<std::vector<ReturnLink>> returnUrls_;
};

}  // namespace corvend::model
