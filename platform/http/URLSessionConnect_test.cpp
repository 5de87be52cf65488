#include <arpa/inet.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"
#include "tests/support/FaultServer.hpp"

namespace {

// Names under this domain resolve to the addresses their first label lists, dots written as
// dashes and addresses split by "_": "127-0-0-2_127-0-0-1.addresses.test".
constexpr std::string_view kAddressesDomain = ".addresses.test";

using Lookup = int (*)(const char*, const char*, const addrinfo*, addrinfo**);

Lookup systemLookup() {
    static const auto lookUp = reinterpret_cast<Lookup>(::dlsym(RTLD_NEXT, "getaddrinfo"));
    return lookUp;
}

}  // namespace

// A program's own definition comes before the C library's; the kit's resolver reaches it.
extern "C" int getaddrinfo(const char* node, const char* service, const addrinfo* hints,
                           addrinfo** result) {
    const std::string_view name = node != nullptr ? node : "";
    if (!name.ends_with(kAddressesDomain)) return systemLookup()(node, service, hints, result);
    std::string listed(name.substr(0, name.size() - kAddressesDomain.size()));
    std::ranges::replace(listed, '-', '.');
    addrinfo numeric = *hints;
    numeric.ai_flags |= AI_NUMERICHOST;
    addrinfo** tail = result;
    *result = nullptr;
    for (std::size_t begin = 0; begin <= listed.size();) {
        const std::size_t end = std::min(listed.find('_', begin), listed.size());
        const std::string address = listed.substr(begin, end - begin);
        begin = end + 1;
        // glibc frees a list node by node, so lists of several calls may be joined.
        if (const int failed = systemLookup()(address.c_str(), service, &numeric, tail)) {
            ::freeaddrinfo(*result);
            return failed;
        }
        while (*tail != nullptr) tail = &(*tail)->ai_next;
    }
    return 0;
}

namespace corvend::platform {
namespace {

using namespace std::chrono_literals;

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
