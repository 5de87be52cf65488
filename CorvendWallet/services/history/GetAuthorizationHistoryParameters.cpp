#include "CorvendWallet/services/history/GetAuthorizationHistoryParameters.hpp"

#include <string>

namespace corvend::model {

std::vector<HTTPQueryParam> GetAuthorizationHistoryParameters::queryParams() const {
    auto items = HistoryListParameters::queryParams();
    if (status_) items.push_back({"status", std::string(toWireValue(*status_))});
    return items;
}

}  // namespace corvend::model
