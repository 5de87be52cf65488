#include "CorvendWallet/services/money/WithdrawalServiceEndpoint.hpp"

#include <utility>

namespace corvend::WithdrawalServiceEndpoint {

WithdrawalRequest toWithdrawalRequest(const model::WithdrawalRequest& request,
                                      std::string deviceFingerprint) {
    WithdrawalRequest body;
    static_cast<PaymentPreviewBody&>(body) =
        PaymentPreviewBody::make(request, std::move(deviceFingerprint));
    body.paymentProperties = toPaymentPropertyModels(request.paymentProperties());
    return body;
}

}  // namespace corvend::WithdrawalServiceEndpoint
