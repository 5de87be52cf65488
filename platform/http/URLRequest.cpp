#include "platform/http/URLRequest.hpp"

#include <algorithm>

#include "platform/http/AsciiCase.hpp"

namespace corvend::platform {

URLRequest::URLRequest(URL url, URLRequestCachePolicy cachePolicy, Seconds timeoutInterval)
    : url_(std::move(url)), cachePolicy_(cachePolicy), timeoutInterval_(timeoutInterval) {
    // A request carries a handful of fields: one allocation rather than one per doubling.
    headers_.reserve(8);
}

void URLRequest::addValue(std::string_view value, std::string_view field) {
    auto existing = std::ranges::find_if(headers_, [&](const auto& header) {
        return detail::asciiEqualsIgnoringCase(header.first, field);
    });
    if (existing == headers_.end()) {
        headers_.emplace_back(std::string(field), std::string(value));
        return;
    }
    existing->second.append(",").append(value);
}

void URLRequest::addHeaders(const std::map<std::string, std::string>& headers) {
    for (const auto& [field, value] : headers) addValue(value, field);
}

std::optional<std::string> URLRequest::value(std::string_view field) const {
    auto existing = std::ranges::find_if(headers_, [&](const auto& header) {
        return detail::asciiEqualsIgnoringCase(header.first, field);
    });
    if (existing == headers_.end()) return std::nullopt;
    return existing->second;
}

}  // namespace corvend::platform
