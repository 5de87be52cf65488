#pragma once

#include <curl/curl.h>

#include <string_view>

#include "platform/http/URLError.hpp"

namespace corvend::platform::detail {

// The URLError code of a transfer that libcurl ended with `result`, `text` being libcurl's
// own description of the failure.
URLError::Code urlErrorCode(CURLcode result, std::string_view text) noexcept;

// A URLError whose description is the code's readable summary, followed by `detail` (libcurl's
// own words, a field name, ...) in parentheses when there is one.
URLError makeURLError(URLError::Code code, std::string_view detail = {});

}  // namespace corvend::platform::detail
