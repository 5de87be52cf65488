#include "platform/http/IdleDeadline.hpp"

#include <arpa/inet.h>
#include <dirent.h>
#include <linux/sockios.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include <array>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

namespace corvend::platform::detail {

namespace {

// Whether `address` is `ip` (as libcurl writes it) and `port`.
bool isEnd(const sockaddr_storage& address, const char* ip, long port) {
    std::array<char, INET6_ADDRSTRLEN> text{};
    const void* raw = nullptr;
    int ownPort = -1;
    if (address.ss_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        raw = &v4.sin_addr;
        ownPort = ntohs(v4.sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
        raw = &v6.sin6_addr;
        ownPort = ntohs(v6.sin6_port);
    } else {
        return false;
    }
    return ownPort == port &&
           ::inet_ntop(address.ss_family, raw, text.data(), text.size()) != nullptr &&
           std::strcmp(text.data(), ip) == 0;
}

// The socket of the connection `easy` uses, or -1. libcurl 7.88 names it only once the transfer
// has ended, so it is found by its two ends among the process's descriptors.
int connectionSocket(CURL* easy) {
    char* localIp = nullptr;
    char* peerIp = nullptr;
    long localPort = 0;
    long peerPort = 0;
    if (curl_easy_getinfo(easy, CURLINFO_LOCAL_IP, &localIp) != CURLE_OK ||
        curl_easy_getinfo(easy, CURLINFO_PRIMARY_IP, &peerIp) != CURLE_OK ||
        curl_easy_getinfo(easy, CURLINFO_LOCAL_PORT, &localPort) != CURLE_OK ||
        curl_easy_getinfo(easy, CURLINFO_PRIMARY_PORT, &peerPort) != CURLE_OK ||
        localIp == nullptr || peerIp == nullptr || localPort <= 0) {
        return -1;
    }
    const std::unique_ptr<DIR, int (*)(DIR*)> open(::opendir("/proc/self/fd"), &::closedir);
    if (!open) return -1;
    while (const dirent* entry = ::readdir(open.get())) {
        char* end = nullptr;
        const long fd = std::strtol(entry->d_name, &end, 10);
        if (end == entry->d_name || *end != '\0' || fd == ::dirfd(open.get())) continue;
        const int socket = static_cast<int>(fd);
        sockaddr_storage local{};
        sockaddr_storage peer{};
        socklen_t length = sizeof local;
        if (::getsockname(socket, reinterpret_cast<sockaddr*>(&local), &length) != 0 ||
            !isEnd(local, localIp, localPort)) {
            continue;
        }
        length = sizeof peer;
        if (::getpeername(socket, reinterpret_cast<sockaddr*>(&peer), &length) == 0 &&
            isEnd(peer, peerIp, peerPort)) {
            return socket;
        }
    }
    return -1;
}

}  // namespace

int IdleDeadline::onProgress(void* deadline, curl_off_t, curl_off_t received, curl_off_t sendTotal,
                             curl_off_t sent) noexcept {
    auto& self = *static_cast<IdleDeadline*>(deadline);
    if (const curl_off_t total = received + sent; total != self.counted_) {
        self.counted_ = total;
        self.moved();
    }
    // Libcurl's writer is woken only once much of the send buffer is free, so while it holds
    // part of the body, as once it has handed it all over, only the send queue shows whether the
    // peer still takes it. Reset on a new attempt.
    self.handedOver_ = sendTotal > 0 && sent >= sendTotal;
    if (const bool sending = sendTotal > 0 && sent > 0; sending != self.sending_) {
        self.sending_ = sending;
        self.watching_ = sending;
        self.socket_ = -1;
        // Unknown: its first reading counts as a fall, as it may have fallen since.
        self.queued_ = std::numeric_limits<int>::max();
        self.nextLook_ = Clock::now() + self.limit_ / 10;
    }
    return 0;
}

bool IdleDeadline::findSocket(CURL* easy) noexcept {
    if (socket_ < 0) socket_ = connectionSocket(easy);
    return socket_ >= 0;
}

void IdleDeadline::look(CURL* easy, Clock::time_point now) noexcept {
    int queued = 0;
    // Unacknowledged bytes too: they count as taken when the peer acknowledges them.
    if (!findSocket(easy) || ::ioctl(socket_, SIOCOUTQ, &queued) != 0) {
        watching_ = false;  // then only what libcurl hands over counts, as without a queue
        return;
    }
    if (queued < queued_) last_ = now;
    queued_ = queued;
    // While libcurl holds part of the body, an empty queue wakes it to hand more over.
    watching_ = queued > 0 || !handedOver_;
    nextLook_ = now + limit_ / 10;
}

bool IdleDeadline::partReceived(CURL* easy, Clock::time_point now) noexcept {
    tcp_info info{};
    socklen_t length = sizeof info;
    if (!findSocket(easy) || ::getsockopt(socket_, IPPROTO_TCP, TCP_INFO, &info, &length) != 0 ||
        length < offsetof(tcp_info, tcpi_last_data_recv) + sizeof info.tcpi_last_data_recv) {
        return false;
    }
    const auto received = now - std::chrono::milliseconds(info.tcpi_last_data_recv);
    return received > last_ + limit_ / 10;
}

}  // namespace corvend::platform::detail
