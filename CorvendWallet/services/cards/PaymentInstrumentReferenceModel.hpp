#pragma once

#include <boost/describe.hpp>
#include <string>

#include "CorvendWallet/models/PaymentInstrumentReference.hpp"

namespace corvend {

// The instrument reference of deposit and withdrawal requests. Written only; both keys are
// always written.
struct PaymentInstrumentReferenceModel {
    std::string id;
    std::string instrumentType;

    friend bool operator==(const PaymentInstrumentReferenceModel&,
                           const PaymentInstrumentReferenceModel&) = default;
};
BOOST_DESCRIBE_STRUCT(PaymentInstrumentReferenceModel, (), (id, instrumentType))

// The identifier copied, the type as its wire string (`unknown` as "UNKNOWN").
PaymentInstrumentReferenceModel toPaymentInstrumentReferenceModel(
    const model::PaymentInstrumentReference& reference);

}  // namespace corvend
