#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"

namespace corvend::platform {
namespace {

using namespace std::chrono_literals;

// Answers every connection on a loopback port with `pieces`, written `gap` apart, then closes:
// a server that breaks HTTP in ways a real HTTP library will not.
class RawServer {
  public:
    explicit RawServer(std::vector<std::string> pieces, std::chrono::milliseconds gap = 0ms)
        : pieces_(std::move(pieces)), gap_(gap) {
        std::signal(SIGPIPE, SIG_IGN);
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        auto* raw = reinterpret_cast<sockaddr*>(&address);
        if (::bind(listener_, raw, length) != 0 || ::listen(listener_, 4) != 0 ||
            ::getsockname(listener_, raw, &length) != 0) {
            ADD_FAILURE() << "no loopback listener";
        }
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }

    ~RawServer() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        stop_.notify_all();
        ::shutdown(listener_, SHUT_RDWR);  // wakes accept()
        thread_.join();
        ::close(listener_);
    }

    URL url(std::string_view path = "/") const {
        return *URL::make("http://127.0.0.1:" + std::to_string(port_) + std::string(path));
    }

    int connections() const { return connections_; }

  private:
    void serve() {
        for (;;) {
            const int connection = ::accept(listener_, nullptr, nullptr);
            if (connection < 0) return;
            ++connections_;
            std::string request;
            char buffer[4096];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const auto got = ::recv(connection, buffer, sizeof buffer, 0);
                if (got <= 0) break;
                request.append(buffer, static_cast<std::size_t>(got));
            }
            for (const auto& piece : pieces_) {
                if (::send(connection, piece.data(), piece.size(), MSG_NOSIGNAL) < 0) break;
                std::unique_lock lock(mutex_);
                if (stop_.wait_for(lock, gap_, [&] { return stopping_; })) break;
            }
            ::close(connection);
        }
    }

    std::vector<std::string> pieces_;
    std::chrono::milliseconds gap_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<int> connections_{0};
    std::mutex mutex_;
    std::condition_variable stop_;
    bool stopping_ = false;
    std::thread thread_;
};

URLError::Code codeOf(URLSession& session, const URLRequest& request) {
    try {
        session.data(request);
    } catch (const URLError& error) {
        return error.code();
    }
    ADD_FAILURE() << "the request succeeded";
    return URLError::Code::unknown;
}

TEST(URLSessionLimitsTest, MalformedRepliesEndWithTheKindOfTheirFault) {
    std::vector<std::string> drip = {"HTTP/1.1 200 OK\r\nContent-Length: 60\r\n\r\n"};
    drip.resize(61, "x");  // ten bytes a second: never idle, done only after six seconds
    const struct {
        std::vector<std::string> reply;
        std::chrono::milliseconds gap;
        URLError::Code expected;
    } cases[] = {
        {drip, 100ms, URLError::Code::timedOut},
        {{"SSH-2.0-server\r\n\r\nnot http at all\r\n"}, 0ms, URLError::Code::badServerResponse},
        {{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nxx\r\n0\r\n\r\n"},
         0ms,
         URLError::Code::cannotParseResponse},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply.front());
        RawServer server(c.reply, c.gap);
        URLSessionConfiguration configuration;
        configuration.timeoutIntervalForResource = 1s;
        const auto session = URLSession::make(configuration);
        const URLRequest request(server.url(), URLRequestCachePolicy::useProtocolCachePolicy, 5s);
        EXPECT_EQ(codeOf(*session, request), c.expected);
    }
}

TEST(URLSessionLimitsTest, ABodyAboveTheCapEndsTheTransferWhetherAnnouncedOrStreamed) {
    constexpr std::size_t cap = 64 * 1024;
    httplib::Server server;
    server.set_tcp_nodelay(true);
    server.Get("/announced", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(std::string(cap + 1, 'a'), "text/plain");
    });
    server.Get("/exact", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(std::string(cap, 'a'), "text/plain");
    });
    // Streamed without end: only the cap can finish it.
    server.Get("/streamed", [](const httplib::Request&, httplib::Response& response) {
        response.set_chunked_content_provider("text/plain", [](size_t, httplib::DataSink& sink) {
            return sink.write(std::string(4096, 's').data(), 4096);
        });
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread thread([&] { server.listen_after_bind(); });
    while (!server.is_running()) std::this_thread::yield();

    URLSessionConfiguration configuration;
    configuration.maximumResponseBodyBytes = cap;
    const auto session = URLSession::make(configuration);
    const auto request = [&](std::string_view path) {
        return URLRequest(
            *URL::make("http://127.0.0.1:" + std::to_string(port) + std::string(path)));
    };
    EXPECT_EQ(session->data(request("/exact")).first.size(), cap);
    for (const auto* path : {"/announced", "/streamed"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(codeOf(*session, request(path)), URLError::Code::dataLengthExceedsMaximum);
    }
    server.stop();
    thread.join();
}

TEST(URLSessionLimitsTest, AnOverlongURLIsRefusedBeforeSending) {
    RawServer server({"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"});
    const auto session = URLSession::make();
    const URLRequest request(server.url("/" + std::string(1024 * 1024, 'i')));
    EXPECT_EQ(codeOf(*session, request), URLError::Code::badURL);
    EXPECT_EQ(server.connections(), 0);
}

}  // namespace
}  // namespace corvend::platform
