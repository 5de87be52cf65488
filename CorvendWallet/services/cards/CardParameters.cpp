#include "CorvendWallet/services/cards/CardParameters.hpp"

#include <cstddef>
#include <string>

namespace corvend::model {

std::vector<HTTPQueryParam> CardParameters::queryParams() const {
    std::vector<HTTPQueryParam> items;
    if (cardType_) items.push_back({"cardType", std::string(toWireValue(*cardType_))});
    if (include_) items.push_back({"include", std::string(toWireValue(*include_))});
    if (limit_) items.push_back({"limit", std::to_string(*limit_)});
    if (offset_) items.push_back({"offset", std::to_string(*offset_)});
    if (status_) {
        std::string joined;
        for (std::size_t i = 0; i < status_->size(); ++i) {
            if (i > 0) joined += ',';
            joined += toWireValue((*status_)[i]);
        }
        items.push_back({"status", std::move(joined)});
    }
    return items;
}

std::vector<HTTPQueryParam> includeQueryParams(
    const std::vector<Card::CardIncludesParam>& include) {
    std::vector<HTTPQueryParam> items;
    for (const Card::CardIncludesParam part : include) {
        items.push_back({"include", std::string(toWireValue(part))});
    }
    return items;
}

}  // namespace corvend::model
