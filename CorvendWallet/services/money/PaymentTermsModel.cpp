#include "CorvendWallet/services/money/PaymentTermsModel.hpp"

#include <utility>

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend {

PaymentTermsModel PaymentTermsModel::make(const model::PaymentTerms& terms) {
    std::optional<PaymentInstrumentReferenceModel> instrument;
    if (const auto& reference = terms.paymentInstrumentReference()) {
        instrument = toPaymentInstrumentReferenceModel(*reference);
    }
    return {.amount = terms.amount(),
            .currencyCode = terms.currencyCode(),
            .paymentOption = std::string(model::toWireValue(terms.paymentOption())),
            .paymentInstrumentReference = std::move(instrument),
            .merchantRefNum = terms.merchantRefNum()};
}

}  // namespace corvend
