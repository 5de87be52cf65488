#include "RouteRequest.hpp"

namespace corvend::sandbox {

std::optional<std::string> RouteRequest::pathParameter(std::string_view name) const {
    if (auto it = pathParameters.find(name); it != pathParameters.end()) return it->second;
    return std::nullopt;
}

std::optional<std::string> RouteRequest::queryItem(std::string_view name) const {
    for (const auto& [key, value] : query) {
        if (key == name) return value;
    }
    return std::nullopt;
}

}  // namespace corvend::sandbox
