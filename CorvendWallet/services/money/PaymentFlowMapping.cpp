#include "CorvendWallet/services/money/PaymentFlowMapping.hpp"

#include <utility>

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::PaymentFlowMapping {

model::PagingResultMeta pagingMeta(const std::optional<PagingResultMetaModel>& meta) {
    return meta ? toPagingResultMeta(*meta) : model::PagingResultMeta{};
}

model::PaymentInstrumentReference instrumentReference(
    const PaymentInstrumentReferenceModel& reference) {
    return {reference.id, model::fromWire<model::InstrumentType>(reference.instrumentType)};
}

void fillRecord(model::PaymentRecord& record, const PaymentRecordResponse& reply) {
    std::optional<model::PaymentInstrumentReference> reference;
    if (reply.paymentInstrumentReference) {
        reference = instrumentReference(*reply.paymentInstrumentReference);
    }
    static_cast<model::PaymentTerms&>(record) = model::PaymentTerms(
        reply.amount, reply.currencyCode,
        model::fromWire<model::PaymentOptionType>(reply.paymentOption), std::move(reference),
        reply.merchantRefNum, toPaymentProperties(reply.paymentProperties));
    record.id_ = reply.id;
    record.customerID_ = reply.customerId;
    record.accountID_ = reply.accountId;
    record.slipID_ = reply.slipId;
    record.fundingTransactionID_ = reply.fundingTransactionId;
    record.creationTime_ = reply.creationTime;
    record.expirationTime_ = reply.expirationTime;
    record.status_ = model::fromWire<model::PaymentStatus>(reply.status);
    record.statusReason_ = reply.statusReason;
    record.fees_ = toSimpleFeePayments(reply.fees);
}

}  // namespace corvend::PaymentFlowMapping
