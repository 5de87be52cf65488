#include "CorvendWallet/services/money/PaymentFlowStatusUpdate.hpp"

namespace corvend {

namespace {
constexpr std::string_view kPending = "PENDING";
constexpr std::string_view kProcessing = "PROCESSING";
}  // namespace

std::string_view toWireValue(PaymentFlowStatus status) noexcept {
    return status == PaymentFlowStatus::pending ? kPending : kProcessing;
}

std::optional<PaymentFlowStatus> paymentFlowStatus(std::string_view raw) noexcept {
    if (raw == kPending) return PaymentFlowStatus::pending;
    if (raw == kProcessing) return PaymentFlowStatus::processing;
    return std::nullopt;
}

PaymentStatusUpdateRequest PaymentStatusUpdateRequest::make(
    PaymentFlowStatus status,
    const std::optional<std::vector<model::PaymentProperty>>& paymentProperties) {
    return {std::string(toWireValue(status)), toPaymentPropertyModels(paymentProperties)};
}

}  // namespace corvend
