#include "CorvendWallet/services/money/WithdrawalServiceEndpoint.hpp"

#include <utility>

namespace corvend::WithdrawalServiceEndpoint {

namespace {
using Flow = PaymentFlow<WithdrawalFlow>;
}  // namespace

WithdrawalRequest toWithdrawalRequest(const model::WithdrawalRequest& request,
                                      std::string deviceFingerprint) {
    WithdrawalRequest body;
    static_cast<PaymentPreviewBody&>(body) =
        PaymentPreviewBody::make(request, std::move(deviceFingerprint));
    body.paymentProperties = toPaymentPropertyModels(request.paymentProperties());
    return body;
}

const Endpoint<std::vector<PaymentOptionDetailsResponse>>& paymentOptions() {
    return Flow::paymentOptions();
}

Endpoint<WithdrawalListResponse> withdrawals(
    const std::optional<model::GetWithdrawalsParameters>& parameters) {
    return Flow::list(parameters);
}

Endpoint<WithdrawalResponse> withdrawal(std::string_view id) {
    return Flow::record(id);
}

Endpoint<WithdrawalResponse> previewWithdrawal(const model::WithdrawalRequest& request,
                                               std::string deviceFingerprint) {
    return Flow::preview(toWithdrawalRequest(request, std::move(deviceFingerprint)));
}

Endpoint<WithdrawalResponse> updateWithdrawalStatus(
    std::string_view id, WithdrawalStatusUpdateRequest::Status status,
    std::optional<std::vector<PaymentPropertyModel>> paymentProperties) {
    return Flow::updateStatus(id, status, std::move(paymentProperties));
}

}  // namespace corvend::WithdrawalServiceEndpoint
