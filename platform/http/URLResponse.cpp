#include "platform/http/URLResponse.hpp"

#include <algorithm>

#include "platform/http/AsciiCase.hpp"

namespace corvend::platform {

HTTPURLResponse::HTTPURLResponse(URL url, int statusCode,
                                 std::map<std::string, std::string> headers)
    : URLResponse(std::move(url)), statusCode_(statusCode) {
    // Fields read by URLSession come lower-cased already: then there is nothing to fold.
    const bool lowerCased = std::ranges::all_of(headers, [](const auto& field) {
        return std::ranges::none_of(field.first, [](char c) { return c >= 'A' && c <= 'Z'; });
    });
    if (lowerCased) {
        headers_ = std::move(headers);
        return;
    }
    for (auto& [name, value] : headers) {
        auto [it, inserted] = headers_.try_emplace(detail::asciiLowercased(name), std::move(value));
        if (!inserted) it->second.append(", ").append(value);
    }
}

std::optional<std::string> HTTPURLResponse::value(std::string_view field) const {
    auto it = headers_.find(detail::asciiLowercased(field));
    if (it == headers_.end()) return std::nullopt;
    return it->second;
}

}  // namespace corvend::platform
