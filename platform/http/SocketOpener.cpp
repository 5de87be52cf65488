#include "platform/http/SocketOpener.hpp"

#include <sys/socket.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace corvend::platform::detail {

curl_socket_t SocketOpener::open(void* opener, curlsocktype, curl_sockaddr* address) noexcept {
    const int fd = ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
    if (fd < 0) {
        static_cast<SocketOpener*>(opener)->lastError_ = errno;
        return CURL_SOCKET_BAD;
    }
    return fd;
}

std::optional<URLError> SocketOpener::outOfDescriptors(int error) {
    if (error != EMFILE && error != ENFILE) return std::nullopt;
    // Not the server's doing, so none of the connection codes: only the description can say.
    return URLError(URLError::Code::unknown,
                    std::string(error == EMFILE ? "The process has no file descriptors left"
                                                : "The system has no file descriptors left") +
                        " for a connection (" + std::system_category().message(error) + ").");
}

}  // namespace corvend::platform::detail
