#include "CorvendWallet/models/PaymentOptionDetailsResponse.hpp"

namespace corvend {

model::PaymentOptionDetails toPaymentOptionDetails(const PaymentOptionDetailsResponse& option) {
    model::PaymentOptionDetails details;
    if (option.instrumentTypes) {
        auto& types = details.instrumentTypes.emplace();
        types.reserve(option.instrumentTypes->size());
        for (const std::string& type : *option.instrumentTypes) {
            types.push_back(model::fromWire<model::InstrumentType>(type));
        }
    }
    details.paymentOption = model::fromWire<model::PaymentOptionType>(option.paymentOption);
    if (option.paymentOptionSettings) {
        details.paymentOptionSettings = toPaymentOptionSettings(*option.paymentOptionSettings);
    }
    return details;
}

std::vector<model::PaymentOptionDetails> toPaymentOptionDetailsList(
    const std::vector<PaymentOptionDetailsResponse>& options) {
    std::vector<model::PaymentOptionDetails> result;
    result.reserve(options.size());
    for (const PaymentOptionDetailsResponse& option : options) {
        result.push_back(toPaymentOptionDetails(option));
    }
    return result;
}

}  // namespace corvend
