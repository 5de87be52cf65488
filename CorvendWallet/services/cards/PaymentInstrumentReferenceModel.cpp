#include "CorvendWallet/services/cards/PaymentInstrumentReferenceModel.hpp"

namespace corvend {

PaymentInstrumentReferenceModel toPaymentInstrumentReferenceModel(
    const model::PaymentInstrumentReference& reference) {
    return {reference.id, std::string(toWireValue(reference.instrumentType))};
}

}  // namespace corvend
