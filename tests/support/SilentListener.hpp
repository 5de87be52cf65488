#pragma once

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

namespace corvend::testing {

// A listener on `address`:`port` (0: an ephemeral one) whose queue is full, so that the kernel
// drops every further connection attempt: a host that never answers a connect.
class SilentListener {
  public:
    SilentListener(const char* address, std::uint16_t port) {
        sockaddr_in where{};
        where.sin_family = AF_INET;
        where.sin_port = htons(port);
        ::inet_pton(AF_INET, address, &where.sin_addr);
        auto* at = reinterpret_cast<sockaddr*>(&where);
        socklen_t length = sizeof where;
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        EXPECT_EQ(::bind(listener_, at, length), 0) << std::strerror(errno);
        EXPECT_EQ(::listen(listener_, 0), 0);
        EXPECT_EQ(::getsockname(listener_, at, &length), 0);
        port_ = ntohs(where.sin_port);
        // One fills the queue; the attempts after it stay unanswered.
        for (int i = 0; i < 3; ++i) {
            const int client = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
            ::connect(client, at, length);
            clients_.push_back(client);
        }
        pollfd last{clients_.back(), POLLOUT, 0};
        EXPECT_EQ(::poll(&last, 1, 50), 0) << "the kernel answered past a full queue";
    }
    ~SilentListener() {
        for (int client : clients_) ::close(client);
        ::close(listener_);
    }
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;

    std::uint16_t port() const { return port_; }

  private:
    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::vector<int> clients_;
};

}  // namespace corvend::testing
