#include "platform/http/URLResponse.hpp"

#include "platform/http/AsciiCase.hpp"

namespace corvend::platform {

HTTPURLResponse::HTTPURLResponse(URL url, int statusCode,
                                 std::map<std::string, std::string> headers)
    : URLResponse(std::move(url)), statusCode_(statusCode) {
    for (auto& [name, value] : headers) {
        auto [it, inserted] = headers_.try_emplace(detail::asciiLowercased(name), std::move(value));
        if (!inserted) it->second.append(", ").append(value);
    }
}

std::shared_ptr<HTTPURLResponse> detail::makeFoldedHTTPURLResponse(
    URL url, int statusCode, std::map<std::string, std::string> lowerCasedHeaders) {
    return std::make_shared<HTTPURLResponse>(HTTPURLResponse::Folded{}, std::move(url), statusCode,
                                             std::move(lowerCasedHeaders));
}

std::optional<std::string> HTTPURLResponse::value(std::string_view field) const {
    auto it = headers_.find(detail::asciiLowercased(field));
    if (it == headers_.end()) return std::nullopt;
    return it->second;
}

}  // namespace corvend::platform
