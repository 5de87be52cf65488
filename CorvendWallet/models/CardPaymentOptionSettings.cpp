#include "CorvendWallet/models/CardPaymentOptionSettings.hpp"

namespace corvend::model {

bool CardPaymentOptionSettings::equals(const PaymentOptionSettings& other) const {
    const auto* card = dynamic_cast<const CardPaymentOptionSettings*>(&other);
    return card != nullptr && *this == *card;
}

}  // namespace corvend::model
