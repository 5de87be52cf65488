#include "CorvendWallet/services/money/PaymentFlowMapping.hpp"

namespace corvend::PaymentFlowMapping {

model::PagingResultMeta pagingMeta(const std::optional<PagingResultMetaModel>& meta) {
    return meta ? toPagingResultMeta(*meta) : model::PagingResultMeta{};
}

model::PaymentInstrumentReference instrumentReference(
    const PaymentInstrumentReferenceModel& reference) {
    return {reference.id, model::fromWire<model::InstrumentType>(reference.instrumentType)};
}

}  // namespace corvend::PaymentFlowMapping
