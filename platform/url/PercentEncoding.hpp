#pragma once

#include <string>
#include <string_view>

namespace corvend::platform {

// Percent-encodes every byte outside RFC 3986's unreserved set (ALPHA DIGIT "-" "." "_" "~"),
// so that the result can stand as one path segment or one query name or value whatever the
// text holds ("/", "?", "#", "%", "+", blanks, non-ASCII bytes).
std::string percentEncodeUnreserved(std::string_view text);

}  // namespace corvend::platform
