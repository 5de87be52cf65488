#include "CorvendWallet/services/money/DepositServiceEndpoint.hpp"

#include <utility>

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::DepositServiceEndpoint {

namespace {

using Flow = PaymentFlow<DepositFlow>;

std::optional<std::string> wireText(const auto& value) {
    if (!value) return std::nullopt;
    return std::string(model::toWireValue(*value));
}

Link toLink(const model::ReturnLink& link) {
    return {wireText(link.rel()), link.href(), wireText(link.method())};
}

}  // namespace

DepositNetworkRequest toDepositNetworkRequest(const model::DepositRequest& request,
                                              std::string deviceFingerprint) {
    DepositNetworkRequest body;
    static_cast<PaymentPreviewBody&>(body) =
        PaymentPreviewBody::make(request, std::move(deviceFingerprint));
    if (request.returnUrls()) {
        auto& links = body.returnUrls.emplace();
        links.reserve(request.returnUrls()->size());
        for (const model::ReturnLink& link : *request.returnUrls()) links.push_back(toLink(link));
    }
    body.paymentProperties = toPaymentPropertyModels(request.paymentProperties());
    return body;
}

const Endpoint<std::vector<PaymentOptionDetailsResponse>>& paymentOptions() {
    return Flow::paymentOptions();
}

Endpoint<DepositListResponse> deposits(
    const std::optional<model::GetDepositsParameters>& parameters) {
    return Flow::list(parameters);
}

Endpoint<CustomerDepositResponse> deposit(std::string_view id) {
    return Flow::record(id);
}

Endpoint<CustomerDepositResponse> previewDeposit(const model::DepositRequest& request,
                                                 std::string deviceFingerprint) {
    return Flow::preview(toDepositNetworkRequest(request, std::move(deviceFingerprint)));
}

Endpoint<CustomerDepositResponse> updateDepositStatus(
    std::string_view id, DepositStatusUpdateRequest::Status status,
    std::optional<std::vector<PaymentPropertyModel>> paymentProperties,
    std::optional<PaymentInstrumentModel> paymentInstrument) {
    DepositStatusUpdateRequest body;
    body.status = std::string(toWireValue(status));
    body.paymentProperties = std::move(paymentProperties);
    body.paymentInstrument = std::move(paymentInstrument);
    return Flow::updateStatus(id, std::move(body));
}

}  // namespace corvend::DepositServiceEndpoint
