#pragma once

#include <string_view>

namespace corvend {

// Header names the request builder adds.
namespace HTTPHeaderName {
inline constexpr std::string_view contentType = "Content-Type";
inline constexpr std::string_view authorization = "Authorization";
}  // namespace HTTPHeaderName

}  // namespace corvend
