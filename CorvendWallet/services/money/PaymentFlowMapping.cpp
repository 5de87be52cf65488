#include "CorvendWallet/services/money/PaymentFlowMapping.hpp"

#include <utility>

#include "CorvendWallet/core/models/WireValueTable.hpp"

namespace corvend::PaymentFlowMapping {

model::PagingResultMeta pagingMeta(const std::optional<PagingResultMetaModel>& meta) {
    return meta ? toPagingResultMeta(*meta) : model::PagingResultMeta{};
}

model::PaymentInstrumentReference instrumentReference(PaymentInstrumentReferenceModel&& reference) {
    return {std::move(reference.id),
            model::fromWire<model::InstrumentType>(reference.instrumentType)};
}

void fillRecord(model::PaymentRecord& record, PaymentRecordResponse&& reply) {
    std::optional<model::PaymentInstrumentReference> reference;
    if (reply.paymentInstrumentReference) {
        reference = instrumentReference(std::move(*reply.paymentInstrumentReference));
    }
    static_cast<model::PaymentTerms&>(record) = model::PaymentTerms(
        reply.amount, std::move(reply.currencyCode),
        model::fromWire<model::PaymentOptionType>(reply.paymentOption), std::move(reference),
        std::move(reply.merchantRefNum), toPaymentProperties(std::move(reply.paymentProperties)));
    record.id_ = std::move(reply.id);
    record.customerID_ = std::move(reply.customerId);
    record.accountID_ = std::move(reply.accountId);
    record.slipID_ = std::move(reply.slipId);
    record.fundingTransactionID_ = std::move(reply.fundingTransactionId);
    record.creationTime_ = reply.creationTime;
    record.expirationTime_ = reply.expirationTime;
    record.status_ = model::fromWire<model::PaymentStatus>(reply.status);
    record.statusReason_ = std::move(reply.statusReason);
    record.fees_ = toSimpleFeePayments(std::move(reply.fees));
}

}  // namespace corvend::PaymentFlowMapping
