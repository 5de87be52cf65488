#pragma once

#include <optional>
#include <vector>

#include "CorvendWallet/models/PagingResultMeta.hpp"
#include "CorvendWallet/models/PagingResultMetaModel.hpp"
#include "CorvendWallet/models/PaymentInstrumentReference.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentReferenceModel.hpp"
#include "CorvendWallet/services/money/PaymentRecord.hpp"
#include "CorvendWallet/services/money/PaymentRecordResponse.hpp"

// The mappings that deposit, withdrawal and transfer replies share beyond the ones beside
// each shared wire block (fees: toSimpleFeePayments, options: toPaymentOptionDetailsList).
namespace corvend::PaymentFlowMapping {

// A list result always has paging: the reply's four fields copied, or all four absent when
// the reply had no paging block.
model::PagingResultMeta pagingMeta(const std::optional<PagingResultMetaModel>& meta);

// The identifier copied, the type read by fromWire() (an unknown text reads as `unknown`).
model::PaymentInstrumentReference instrumentReference(
    const PaymentInstrumentReferenceModel& reference);

// Fills the shared fields of `record` from `reply`: enumerated texts read by their tables
// (`unknown` for any text the kit does not know), absent fees as an empty list, the rest copied.
void fillRecord(model::PaymentRecord& record, const PaymentRecordResponse& reply);

// Each wire record through `map`, in the reply's order.
template <class Wire, class Map>
auto records(const std::vector<Wire>& wire, Map map) {
    std::vector<decltype(map(wire.front()))> out;
    out.reserve(wire.size());
    for (const Wire& record : wire) out.push_back(map(record));
    return out;
}

}  // namespace corvend::PaymentFlowMapping
