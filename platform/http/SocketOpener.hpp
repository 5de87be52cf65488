#pragma once

#include <curl/curl.h>

#include <optional>

#include "platform/http/URLError.hpp"

namespace corvend::platform::detail {

// Opens a transfer's connections for libcurl (its open-socket callback): close-on-exec in the
// same call, so that no program the host starts, even at that instant, holds one. Keeps why the
// last socket could not be opened, so the failure can say what happened.
class SocketOpener {
  public:
    // CURLOPT_OPENSOCKETFUNCTION; `opener` is the SocketOpener (CURLOPT_OPENSOCKETDATA).
    static curl_socket_t open(void* opener, curlsocktype purpose, curl_sockaddr* address) noexcept;

    // The error for a failure to open a descriptor with `error` (an errno), when it means that
    // no descriptor is left (the process's limit or the system's); empty for other causes.
    static std::optional<URLError> outOfDescriptors(int error);

    // outOfDescriptors() of the last socket this opener could not open.
    std::optional<URLError> failure() const { return outOfDescriptors(lastError_); }

  private:
    int lastError_ = 0;
};

}  // namespace corvend::platform::detail
