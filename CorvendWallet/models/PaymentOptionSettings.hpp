#pragma once

#include "CorvendWallet/models/PaymentOptionType.hpp"

namespace corvend::model {

// The settings that the service attaches to one payment option. Held as
// std::shared_ptr<const PaymentOptionSettings>; CardPaymentOptionSettings is the only kind.
class PaymentOptionSettings {
  public:
    virtual ~PaymentOptionSettings() = default;

    // The payment option these settings belong to.
    virtual PaymentOptionType paymentOption() const = 0;

    // True when `other` is the same kind of settings with equal fields.
    virtual bool equals(const PaymentOptionSettings& other) const = 0;

  protected:
    PaymentOptionSettings() = default;
    PaymentOptionSettings(const PaymentOptionSettings&) = default;
    PaymentOptionSettings& operator=(const PaymentOptionSettings&) = default;
};

}  // namespace corvend::model
