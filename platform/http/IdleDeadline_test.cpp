#include "platform/http/IdleDeadline.hpp"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <linux/sockios.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

namespace corvend::platform::detail {
namespace {

using namespace std::chrono_literals;
using Clock = IdleDeadline::Clock;

int queued(int socket) {
    int bytes = 0;
    EXPECT_EQ(::ioctl(socket, SIOCOUTQ, &bytes), 0);
    return bytes;
}

// An upload's send queue empties while libcurl may still hold part of the body: only while it
// holds some do later falls of the queue, with no byte handed over, still count as moving. The
// deadline is given its times, a tenth of the time-out apart, so no clock decides.
TEST(IdleDeadlineTest, TheSendQueueIsWatchedPastEmptyOnlyWhileTheBodyIsNotAllHandedOver) {
    constexpr Clock::duration kLimit = 1000s;
    const struct {
        const char* name;
        bool allHandedOver;
        bool laterFallCounts;
    } rows[] = {{"part of the body still held", false, true},
                {"the whole body handed over", true, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        // A peer with a small window, so that what it leaves unread stays in the sender's queue.
        const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int window = 4096;
        ::setsockopt(listener, SOL_SOCKET, SO_RCVBUF, &window, sizeof window);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), length), 0);
        ASSERT_EQ(::listen(listener, 1), 0);
        ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
        const std::unique_ptr<CURL, void (*)(CURL*)> easy(curl_easy_init(), &curl_easy_cleanup);
        const std::string url = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
        curl_easy_setopt(easy.get(), CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy.get(), CURLOPT_CONNECT_ONLY, 1L);
        ASSERT_EQ(curl_easy_perform(easy.get()), CURLE_OK);
        const int peer = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        curl_socket_t sender = -1;
        curl_easy_getinfo(easy.get(), CURLINFO_ACTIVESOCKET, &sender);
        ASSERT_GE(peer, 0);

        IdleDeadline deadline(kLimit);
        const curl_off_t body = 1 << 20;
        IdleDeadline::onProgress(&deadline, 0, 0, body, row.allHandedOver ? body : 1);
        // The first look finds the queue empty, a fall from the unknown.
        auto at = Clock::now() + kLimit / 10;
        deadline.check(easy.get(), at);
        ASSERT_EQ(deadline.when(), at + kLimit);
        const auto emptied = at;
        // Bytes handed over that the peer leaves unread; then the peer takes some.
        std::array<char, 4096> bytes{};
        while (::send(sender, bytes.data(), bytes.size(), MSG_DONTWAIT | MSG_NOSIGNAL) > 0) {
        }
        const int full = queued(sender);
        ASSERT_GT(full, 0);
        at += kLimit / 10;
        deadline.check(easy.get(), at);
        ASSERT_GT(::recv(peer, bytes.data(), bytes.size(), 0), 0);
        // A bound that only keeps a stuck queue from hanging the test.
        for (const auto giveUp = Clock::now() + 30s; queued(sender) >= full;) {
            ASSERT_LT(Clock::now(), giveUp) << "the queue never fell";
            std::this_thread::yield();
        }
        at += kLimit / 10;
        deadline.check(easy.get(), at);
        EXPECT_EQ(deadline.when(), (row.laterFallCounts ? at : emptied) + kLimit);
        ::close(peer);
        ::close(listener);
    }
}

}  // namespace
}  // namespace corvend::platform::detail
