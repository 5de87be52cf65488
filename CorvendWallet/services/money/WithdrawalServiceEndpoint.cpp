#include "CorvendWallet/services/money/WithdrawalServiceEndpoint.hpp"

#include <utility>

namespace corvend::WithdrawalServiceEndpoint {

WithdrawalRequest toWithdrawalRequest(const model::WithdrawalRequest& request,
                                      std::string deviceFingerprint) {
    std::optional<PaymentInstrumentReferenceModel> instrument;
    if (const auto& reference = request.paymentInstrumentReference()) {
        instrument = toPaymentInstrumentReferenceModel(*reference);
    }
    return {.amount = request.amount(),
            .currencyCode = request.currencyCode(),
            .paymentOption = std::string(model::toWireValue(request.paymentOption())),
            .paymentInstrumentReference = std::move(instrument),
            .merchantRefNum = request.merchantRefNum(),
            .deviceInfo = DeviceInfoModel::mobileApp(std::move(deviceFingerprint)),
            .paymentProperties = toPaymentPropertyModels(request.paymentProperties())};
}

}  // namespace corvend::WithdrawalServiceEndpoint
