#pragma once

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::model {

// The HTTP method of a deposit's return or redirect address.
enum class HttpRequestMethod { get, post, unknown };

// A missing or unlisted method reads as `unknown`.
template <>
struct WireValues<HttpRequestMethod> {
    static constexpr auto table =
        wireValueTable(HttpRequestMethod::unknown, "UNKNOWN",
                       {{HttpRequestMethod::get, "GET"}, {HttpRequestMethod::post, "POST"}});
};

}  // namespace corvend::model
