#pragma once

#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

#include "CorvendWallet/core/models/PagingResultMeta.hpp"
#include "CorvendWallet/core/models/PagingResultMetaModel.hpp"
#include "CorvendWallet/core/models/PaymentInstrumentReference.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentReferenceModel.hpp"
#include "CorvendWallet/services/money/PaymentRecord.hpp"
#include "CorvendWallet/services/money/PaymentRecordResponse.hpp"

// The mappings that deposit, withdrawal and transfer replies share beyond the ones beside
// each shared wire block (fees: toSimpleFeePayments, options: toPaymentOptionDetailsList).
namespace corvend::PaymentFlowMapping {

// A list result always has paging: the reply's four fields copied, or all four absent when
// the reply had no paging block.
model::PagingResultMeta pagingMeta(const std::optional<PagingResultMetaModel>& meta);

// The identifier moved over, the type read by fromWire() (an unknown text reads as `unknown`).
model::PaymentInstrumentReference instrumentReference(PaymentInstrumentReferenceModel&& reference);

// Fills the shared fields of `record` from `reply`: enumerated texts read by their tables
// (`unknown` for any text the kit does not know), absent fees as an empty list, the rest moved
// over (the repository drops the reply after mapping it).
void fillRecord(model::PaymentRecord& record, PaymentRecordResponse&& reply);

// Each wire record moved through `map`, in the reply's order.
template <class Wire, class Map>
auto records(std::vector<Wire>&& wire, Map map) {
    std::vector<std::invoke_result_t<Map&, Wire&&>> out;
    out.reserve(wire.size());
    for (Wire& record : wire) out.push_back(map(std::move(record)));
    return out;
}

}  // namespace corvend::PaymentFlowMapping
