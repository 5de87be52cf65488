#pragma once

#include <utility>
#include <vector>

#include "CorvendWallet/models/CardScheme.hpp"
#include "CorvendWallet/models/PaymentOptionSettings.hpp"
#include "CorvendWallet/models/PaymentOptionType.hpp"

namespace corvend::model {

// The settings of the card option: the card schemes it accepts, in the service's order.
class CardPaymentOptionSettings final : public PaymentOptionSettings {
  public:
    CardPaymentOptionSettings(PaymentOptionType paymentOption, std::vector<CardScheme> cardSchemes)
        : paymentOption_(paymentOption), cardSchemes_(std::move(cardSchemes)) {}

    PaymentOptionType paymentOption() const override { return paymentOption_; }
    void setPaymentOption(PaymentOptionType paymentOption) { paymentOption_ = paymentOption; }

    const std::vector<CardScheme>& cardSchemes() const { return cardSchemes_; }

    // Equal when `other` is card settings with the same option and the same schemes in order.
    bool equals(const PaymentOptionSettings& other) const override;

    friend bool operator==(const CardPaymentOptionSettings& a, const CardPaymentOptionSettings& b) {
        return a.paymentOption_ == b.paymentOption_ && a.cardSchemes_ == b.cardSchemes_;
    }

  private:
    PaymentOptionType paymentOption_;
    std::vector<CardScheme> cardSchemes_;
};

}  // namespace corvend::model
