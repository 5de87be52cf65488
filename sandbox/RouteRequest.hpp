#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "RecordedRequest.hpp"

namespace corvend::sandbox {

// What a route handler sees: the request as received plus the decoded parts of its target.
struct RouteRequest {
    RecordedRequest request;

    // Values of the pattern's "{name}" segments, percent-decoded.
    std::map<std::string, std::string, std::less<>> pathParameters;

    // Query items in order, names and values percent-decoded.
    std::vector<std::pair<std::string, std::string>> query;

    // The path parameter `name`, or nothing when the pattern has none of that name.
    std::optional<std::string> pathParameter(std::string_view name) const;

    // The first query item named `name` (exact match), or nothing.
    std::optional<std::string> queryItem(std::string_view name) const;

    // The first header named `name` (any case), or nothing.
    std::optional<std::string> header(std::string_view name) const { return request.header(name); }

    // "<scheme>://<Host>": where the sandbox's own pages are reached from this request.
    std::string origin() const {
        return request.scheme + "://" + request.header("Host").value_or("127.0.0.1");
    }
};

}  // namespace corvend::sandbox
