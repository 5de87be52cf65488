#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"
#include "tests/support/FaultServer.hpp"
#include "tests/support/SteeredLookups.hpp"

namespace corvend::platform {
namespace {

using namespace std::chrono_literals;

using corvend::platform::testing::kAddressesDomain;
using corvend::testing::FaultServer;

// A listener on `address`:`port` whose queue is full, so that the kernel drops every further
// connection attempt: a host that never answers a connect.
class SilentListener {
  public:
    SilentListener(const char* address, std::uint16_t port) {
        sockaddr_in where{};
        where.sin_family = AF_INET;
        where.sin_port = htons(port);
        ::inet_pton(AF_INET, address, &where.sin_addr);
        const auto* at = reinterpret_cast<const sockaddr*>(&where);
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        EXPECT_EQ(::bind(listener_, at, sizeof where), 0) << std::strerror(errno);
        EXPECT_EQ(::listen(listener_, 0), 0);
        // One fills the queue; the attempts after it stay unanswered.
        for (int i = 0; i < 3; ++i) {
            const int client = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
            ::connect(client, at, sizeof where);
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

  private:
    int listener_ = -1;
    std::vector<int> clients_;
};

// A service whose name gives several addresses, the first ones dead, reaches the live one
// within the request's time-out: each address gets a share of it.
TEST(URLSessionConnectTest, ADeadAddressNeverHidesALiveOne) {
    FaultServer live({"HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"});
    const auto port = static_cast<std::uint16_t>(
        std::stoi(live.baseURL().substr(std::string_view("http://127.0.0.1:").size())));
    const SilentListener first("127.0.0.2", port);
    const SilentListener second("127.0.0.3", port);
    const auto session = URLSession::make();
    for (const char* addresses : {"127-0-0-2_127-0-0-1", "127-0-0-3_127-0-0-2_127-0-0-1"}) {
        SCOPED_TRACE(addresses);
        const URLRequest request(
            *URL::make("http://" + std::string(addresses) + std::string(kAddressesDomain) + ":" +
                       std::to_string(port) + "/"),
            URLRequestCachePolicy::useProtocolCachePolicy, 2s);
        try {
            EXPECT_EQ(session->data(request).first.view(), "ok");
        } catch (const URLError& error) {
            ADD_FAILURE() << error.description();
        }
    }
}

}  // namespace
}  // namespace corvend::platform
