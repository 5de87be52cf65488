#include "CorvendWallet/services/cards/PaymentInstrumentsParameters.hpp"

namespace corvend::model {

std::vector<HTTPQueryParam> PaymentInstrumentsParameters::queryParams() const {
    std::vector<HTTPQueryParam> items;
    if (instrumentType)
        items.push_back({"instrumentType", std::string(toWireValue(*instrumentType))});
    if (paymentOption) items.push_back({"paymentOption", std::string(toWireValue(*paymentOption))});
    return items;
}

}  // namespace corvend::model
