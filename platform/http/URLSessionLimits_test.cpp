#include <fcntl.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"
#include "tests/support/FaultServer.hpp"
#include "tests/support/NoDescriptorsLeft.hpp"

namespace corvend::platform {
namespace {

using namespace std::chrono_literals;

using corvend::testing::FaultServer;

URL urlOf(const FaultServer& server, std::string_view path = "") {
    return *URL::make(server.baseURL() + std::string(path));
}

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
    using Then = FaultServer::Then;
    const struct {
        FaultServer::Script script;
        URLError::Code expected;
    } cases[] = {
        // Four bytes a second: never idle, so only the whole-transfer cap can end it.
        {{"HTTP/1.1 200 OK\r\nContent-Length: 60\r\n\r\n", Then::drip, "x"},
         URLError::Code::timedOut},
        {{"SSH-2.0-server\r\n\r\nnot http at all\r\n"}, URLError::Code::badServerResponse},
        {{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nxx\r\n0\r\n\r\n"},
         URLError::Code::cannotParseResponse},
        // One header line of 2 MiB, above what libcurl takes for a line.
        {{"HTTP/1.1 200 OK\r\nX-Long: " + std::string(2 * 1024 * 1024, 'a') +
          "\r\nContent-Length: 0\r\n\r\n"},
         URLError::Code::cannotParseResponse},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script.reply.substr(0, 64));
        FaultServer server(c.script);
        URLSessionConfiguration configuration;
        configuration.timeoutIntervalForResource = 1s;
        const auto session = URLSession::make(configuration);
        const URLRequest request(urlOf(server), URLRequestCachePolicy::useProtocolCachePolicy, 5s);
        EXPECT_EQ(codeOf(*session, request), c.expected);
    }
}

// The request's time-out counts only time in which nothing moved: a reply with a byte every
// 1.2 s, slower than a byte a second, outlasts a 2.5 s time-out; one that stalls does not.
TEST(URLSessionLimitsTest, TheRequestTimeOutCutsAStalledReplyButNotASlowOne) {
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\n";
    FaultServer slow({head, FaultServer::Then::drip, "abc", 1200ms});
    FaultServer stalled({head, FaultServer::Then::holdOpen});
    const auto session = URLSession::make();
    std::thread stalling([&] {
        const URLRequest request(urlOf(stalled), URLRequestCachePolicy::useProtocolCachePolicy, 1s);
        EXPECT_EQ(codeOf(*session, request), URLError::Code::timedOut);
    });
    const URLRequest request(urlOf(slow), URLRequestCachePolicy::useProtocolCachePolicy, 2.5s);
    try {
        EXPECT_EQ(session->data(request).first.view(), "abc");
    } catch (const URLError& error) {
        ADD_FAILURE() << error.description();
    }
    stalling.join();
}

// A process that has used up its descriptors is told so, not that the server refused it.
TEST(URLSessionLimitsTest, RunningOutOfDescriptorsIsNamedAsSuch) {
    FaultServer server({"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"});
    const auto session = URLSession::make();
    // A refused call first, as the undefined-behaviour checker needs a pipe to learn the types
    // the failure meets; and so that the point of failure is the only difference.
    const URL refused = [] {
        const FaultServer gone({""});
        return urlOf(gone);
    }();
    EXPECT_EQ(codeOf(*session, URLRequest(refused)), URLError::Code::cannotConnectToHost);
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limit), 0);
    rlimit lowered = limit;
    lowered.rlim_cur = std::min<rlim_t>(limit.rlim_cur, 1024);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &lowered), 0);
    std::vector<int> taken;
    for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;) taken.push_back(fd);
    std::optional<URLError> failure;
    try {
        session->data(URLRequest(urlOf(server)));
    } catch (const URLError& error) {
        failure = error;
    }
    for (int fd : taken) ::close(fd);
    ::setrlimit(RLIMIT_NOFILE, &limit);

    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->code(), URLError::Code::unknown);
    EXPECT_NE(failure->description().find("no file descriptors left"), std::string::npos)
        << failure->description();
    EXPECT_EQ(server.accepted(), 0);
    EXPECT_NO_THROW(session->data(URLRequest(urlOf(server))));
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
    FaultServer server({"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"});
    const auto session = URLSession::make();
    EXPECT_EQ(codeOf(*session, URLRequest(urlOf(server, std::string(1024 * 1024, 'i')))),
              URLError::Code::badURL);
    EXPECT_EQ(server.accepted(), 0);
}

// A session made while the process has no descriptor left would lack the wake-up that ends a
// cancelled call at once: its creation fails, naming the shortage, as a call's would.
TEST(URLSessionLimitsTest, ASessionMadeWithoutDescriptorsFailsItsCreationNamingThem) {
    // Made and failed once first, so that nothing the failure meets needs a descriptor.
    EXPECT_EQ(codeOf(*URLSession::make(), URLRequest(*URL::make("ftp://127.0.0.1/"))),
              URLError::Code::unsupportedURL);
    std::optional<URLError> failure;
    try {
        const corvend::testing::NoDescriptorsLeft none;
        URLSession::make();
    } catch (const URLError& error) {
        failure = error;
    }
    ASSERT_TRUE(failure.has_value()) << "made without its wake-up";
    EXPECT_EQ(failure->code(), URLError::Code::unknown);
    EXPECT_NE(failure->description().find("no file descriptors left"), std::string::npos)
        << failure->description();
}

}  // namespace
}  // namespace corvend::platform
