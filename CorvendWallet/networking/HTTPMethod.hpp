#pragma once

#include <string>
#include <string_view>

namespace corvend {

// The method word of a request, kept exactly as given (no validation, no case folding).
struct HTTPMethod {
    std::string rawValue;

    // The four methods the kit sends; each made once, on first use.
    static const HTTPMethod& get();
    static const HTTPMethod& post();
    static const HTTPMethod& patch();
    static const HTTPMethod& delete_();
};

// Header names the request builder adds.
namespace HTTPHeaderName {
inline constexpr std::string_view contentType = "Content-Type";
inline constexpr std::string_view authorization = "Authorization";
}  // namespace HTTPHeaderName

// One query parameter; escaping happens only when it becomes a query item.
struct HTTPQueryParam {
    std::string key;
    std::string value;
};

}  // namespace corvend
