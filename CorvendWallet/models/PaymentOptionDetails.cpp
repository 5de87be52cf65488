#include "CorvendWallet/models/PaymentOptionDetails.hpp"

namespace corvend::model {
namespace {

std::optional<PaymentOptionType> settingsOption(const PaymentOptionDetails& details) {
    if (!details.paymentOptionSettings) return std::nullopt;
    return details.paymentOptionSettings->paymentOption();
}

}  // namespace

bool operator==(const PaymentOptionDetails& a, const PaymentOptionDetails& b) {
    return a.paymentOption == b.paymentOption && a.instrumentTypes == b.instrumentTypes &&
           settingsOption(a) == settingsOption(b);
}

}  // namespace corvend::model
