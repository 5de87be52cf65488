#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <string>
#include <string_view>
#include <thread>

#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"
#include "tests/support/FaultServer.hpp"

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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script.reply);
        FaultServer server(c.script);
        URLSessionConfiguration configuration;
        configuration.timeoutIntervalForResource = 1s;
        const auto session = URLSession::make(configuration);
        const URLRequest request(urlOf(server), URLRequestCachePolicy::useProtocolCachePolicy, 5s);
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
    FaultServer server({"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"});
    const auto session = URLSession::make();
    EXPECT_EQ(codeOf(*session, URLRequest(urlOf(server, std::string(1024 * 1024, 'i')))),
              URLError::Code::badURL);
    EXPECT_EQ(server.accepted(), 0);
}

}  // namespace
}  // namespace corvend::platform
