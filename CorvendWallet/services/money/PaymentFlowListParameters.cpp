#include "CorvendWallet/services/money/PaymentFlowListParameters.hpp"

namespace corvend::model {

std::vector<HTTPQueryParam> PaymentFlowListParameters::queryParams() const {
    std::vector<HTTPQueryParam> items;
    if (limit_) items.push_back({"limit", std::to_string(*limit_)});
    if (merchantRefNum_) items.push_back({"merchantRefNum", *merchantRefNum_});
    if (offset_) items.push_back({"offset", std::to_string(*offset_)});
    if (slipID_) items.push_back({"slipID", *slipID_});
    return items;
}

}  // namespace corvend::model
