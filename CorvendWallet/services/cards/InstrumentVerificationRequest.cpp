#include "CorvendWallet/services/cards/InstrumentVerificationRequest.hpp"

namespace corvend::model {

std::vector<HTTPQueryParam> InstrumentVerificationParameters::queryParams() const {
    std::vector<HTTPQueryParam> items;
    if (limit) items.push_back({"limit", std::to_string(*limit)});
    if (offset) items.push_back({"offset", std::to_string(*offset)});
    if (sessionStatus) items.push_back({"sessionStatus", std::string(toWireValue(*sessionStatus))});
    return items;
}

}  // namespace corvend::model
