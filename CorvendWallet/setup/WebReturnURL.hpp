#pragma once

#include <string_view>

namespace corvend {

// The kit's web return address: an https address of the kit's own return host, with no path.
// The service sends a finished web step (identity verification, 3-D Secure) here, and the
// kit's web screens watch for a navigation that starts with it. Never changed at run time.
inline constexpr std::string_view kWebReturnURL = "https://return.corvend.example";
static_assert(kWebReturnURL.size() == 30);

}  // namespace corvend
