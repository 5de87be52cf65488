#include "CorvendWallet/services/history/GetTransactionHistoryParameters.hpp"

#include <string>

namespace corvend::model {

std::vector<HTTPQueryParam> GetTransactionHistoryParameters::queryParams() const {
    auto items = HistoryListParameters::queryParams();
    if (type_) items.push_back({"type", std::string(toWireValue(*type_))});
    if (status_) items.push_back({"status", std::string(toWireValue(*status_))});
    return items;
}

}  // namespace corvend::model
