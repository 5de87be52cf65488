#include "CorvendWallet/services/money/DepositServiceEndpoint.hpp"

#include <utility>

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::DepositServiceEndpoint {

namespace {

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

}  // namespace corvend::DepositServiceEndpoint
