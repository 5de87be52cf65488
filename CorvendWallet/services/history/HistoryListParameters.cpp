#include "CorvendWallet/services/history/HistoryListParameters.hpp"

#include <string>

#include "platform/foundation/ISO8601.hpp"

namespace corvend::model {

std::vector<HTTPQueryParam> HistoryListParameters::queryParams() const {
    std::vector<HTTPQueryParam> items;
    if (limit_) items.push_back({"limit", std::to_string(*limit_)});
    if (offset_) items.push_back({"offset", std::to_string(*offset_)});
    if (startDate_) {
        items.push_back({"startDate", platform::iso8601::formatWithFractionalSeconds(*startDate_)});
    }
    if (endDate_) {
        items.push_back({"endDate", platform::iso8601::formatWithFractionalSeconds(*endDate_)});
    }
    return items;
}

}  // namespace corvend::model
