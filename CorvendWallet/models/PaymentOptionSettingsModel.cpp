#include "CorvendWallet/models/PaymentOptionSettingsModel.hpp"

#include <utility>

#include "CorvendWallet/models/CardPaymentOptionSettings.hpp"

namespace corvend {

std::shared_ptr<const model::PaymentOptionSettings> toPaymentOptionSettings(
    const PaymentOptionSettingsModel& settings) {
    const model::PaymentOptionType option =
        model::fromWire<model::PaymentOptionType>(settings.paymentOption);
    if (option != model::PaymentOptionType::card) return nullptr;
    std::vector<model::CardScheme> schemes;
    if (settings.cardSchemes) {
        schemes.reserve(settings.cardSchemes->size());
        for (const std::string& scheme : *settings.cardSchemes) {
            schemes.push_back(model::fromWire<model::CardScheme>(scheme));
        }
    }
    return std::make_shared<const model::CardPaymentOptionSettings>(option, std::move(schemes));
}

}  // namespace corvend
