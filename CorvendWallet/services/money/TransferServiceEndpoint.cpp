#include "CorvendWallet/services/money/TransferServiceEndpoint.hpp"

#include <utility>

#include "CorvendWallet/services/money/PaymentFlow.hpp"

namespace corvend::TransferServiceEndpoint {

using Flow = PaymentFlow<TransferFlow>;

CustomerTransferRequest CustomerTransferRequest::make(const model::CustomerTransferRequest& request,
                                                      std::string deviceFingerprint) {
    std::optional<CustomerTransferRecipient> recipient;
    if (request.recipient()) {
        recipient = CustomerTransferRecipient{request.recipient()->customerID(),
                                              request.recipient()->email()};
    }
    return {
        .amount = request.amount(),
        .currencyCode = request.currencyCode(),
        .recipient = std::move(recipient),
        .merchantRefNum = request.merchantRefNum(),
        .deviceInfo = DeviceInfoModel::mobileApp(std::move(deviceFingerprint)),
        .fxQuote = request.fxQuote(),
        .transferDetails = toTransferDetailsModel(request.transferDetails()),
    };
}

Endpoint<CustomerTransferResponse> previewTransfer(const model::CustomerTransferRequest& request,
                                                   std::string deviceFingerprint) {
    return Flow::preview(CustomerTransferRequest::make(request, std::move(deviceFingerprint)));
}

Endpoint<CustomerTransferResponse> updateTransferStatus(
    std::string_view id, PaymentFlowStatus status,
    std::optional<std::vector<PaymentPropertyModel>> paymentProperties) {
    return Flow::updateStatus(id, status, std::move(paymentProperties));
}

Endpoint<CustomerTransferListResponse> transfers(
    const std::optional<model::GetTransferParameters>& parameters) {
    return Flow::list(parameters);
}

Endpoint<CustomerTransferResponse> transfer(std::string_view id) {
    return Flow::record(id);
}

}  // namespace corvend::TransferServiceEndpoint
