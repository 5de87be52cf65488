#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvend::sandbox {

// One request as the sandbox received it.
struct RecordedRequest {
    std::string method;

    // "http" or "https", as the sandbox serves.
    std::string scheme = "http";

    // The request target exactly as sent on the request line, escapes untouched.
    std::string target;

    // The target's path after percent-decoding (so "a%2Fb" reads "a/b" here).
    std::string path;

    // Raw query text after '?', without the '?'; empty when there is none.
    std::string query;

    // Header fields with names spelled as received, in the order received.
    std::vector<std::pair<std::string, std::string>> headers;

    std::string body;

    // The correlation identifier sent back in the reply, absent if the reply had none.
    std::optional<std::string> correlationId;

    // Returns the value of the first header named `name` (compared case-insensitively).
    std::optional<std::string> header(std::string_view name) const;

    // Returns how many header fields are named `name` (compared case-insensitively).
    std::size_t headerCount(std::string_view name) const;
};

// True when `a` and `b` are equal ignoring ASCII case, as header names compare.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace corvend::sandbox
