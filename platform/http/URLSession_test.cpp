#include "platform/http/URLSession.hpp"

#include <gtest/gtest.h>
#include <httplib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "platform/async/CancellationError.hpp"
#include "platform/async/CancellationToken.hpp"
#include "platform/async/Task.hpp"
#include "platform/http/URLError.hpp"
#include "tests/support/LoopbackServer.hpp"

namespace corvend::platform {
namespace {

using Reply = std::pair<Data, std::shared_ptr<URLResponse>>;

using corvend::testing::bindLoopback;
using corvend::testing::LoopbackServer;

// Answers one request with 204 and keeps its raw head: the server library drops empty fields.
class RawHeadCapture {
  public:
    ~RawHeadCapture() {
        ::shutdown(listener_, SHUT_RDWR);  // wakes accept() if no client came
        if (thread_.joinable()) thread_.join();
        ::close(listener_);
    }

    // Call once the client has its reply: the join orders the server's write before the read.
    const std::string& head() {
        if (thread_.joinable()) thread_.join();
        return head_;
    }

    int port = 0;

  private:
    void serveOne() {
        const int connection = ::accept(listener_, nullptr, nullptr);
        if (connection < 0) return;
        char buffer[4096];
        while (head_.find("\r\n\r\n") == std::string::npos) {
            const auto received = ::recv(connection, buffer, sizeof(buffer), 0);
            if (received <= 0) break;
            head_.append(buffer, static_cast<std::size_t>(received));
        }
        const std::string_view reply =
            "HTTP/1.1 204 No Content\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        [[maybe_unused]] auto sent = ::send(connection, reply.data(), reply.size(), MSG_NOSIGNAL);
        ::close(connection);
    }

    int listener_ = bindLoopback(port, true);
    std::string head_;
    std::thread thread_{[this] { serveOne(); }};
};

const std::string kLargeBody = [] {
    std::string body;
    for (int i = 0; body.size() < (1u << 20); ++i) body += std::to_string(i) + ",";
    return body;
}();

class URLSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto& routes = server_.routes();
        const auto echo = [](const httplib::Request& request, httplib::Response& response) {
            response.set_content(request.body, "application/octet-stream");
        };
        routes.Get("/echo", echo)
            .Post("/echo", echo)
            .Put("/echo", echo)
            .Patch("/echo", echo)
            .Delete("/echo", echo);
        routes.Get(R"(/status/(\d+))",
                   [](const httplib::Request& request, httplib::Response& response) {
                       response.status = std::stoi(request.matches[1]);
                       response.headers.emplace("X-Repeated", "a");
                       response.headers.emplace("x-REPEATED", "b");
                       if (response.status / 100 == 3) response.set_header("Location", "/echo");
                       if (response.status != 304) response.set_content("body", "text/plain");
                   });
        routes.Get(R"(/item/(\d+))",
                   [](const httplib::Request& request, httplib::Response& response) {
                       response.set_content(std::string(request.matches[1]), "text/plain");
                   });
        routes.Get("/large", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(kLargeBody, "text/plain");
        });
        routes.Get("/hold", [this](const httplib::Request&, httplib::Response& response) {
            server_.park();
            response.set_content("released", "text/plain");
        });
        server_.start();
        session_ = URLSession::make();
    }

    URLRequest request(std::string_view path) const { return URLRequest(server_.url(path)); }

    // Declared first so it outlives the session: the session closes its idle connections when
    // it goes, which lets the server's workers finish.
    LoopbackServer server_;
    std::shared_ptr<URLSession> session_;
};

const HTTPURLResponse& http(const Reply& reply) {
    return dynamic_cast<const HTTPURLResponse&>(*reply.second);
}

URLError::Code codeOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const URLError& error) {
        EXPECT_FALSE(error.description().empty());
        return error.code();
    }
    ADD_FAILURE() << "no URLError thrown";
    return URLError::Code::unknown;
}

TEST_F(URLSessionTest, SendsTheMethodBodyAndLengthAndNothingLibcurlWouldAdd) {
    using Text = std::optional<std::string>;
    const std::string big(64 * 1024, 'b');  // large enough to draw an Expect: 100-continue
    const std::vector<std::tuple<std::string, Text, Text>> cases{
        {"GET", std::nullopt, std::nullopt}, {"POST", std::string("a=1&b=2"), "7"},
        {"POST", std::nullopt, "0"},         {"PUT", big, std::to_string(big.size())},
        {"PATCH", std::nullopt, "0"},        {"DELETE", std::string("gone"), "4"}};
    for (const auto& [method, body, expectedLength] : cases) {
        SCOPED_TRACE(method + (body ? " with body" : " without body"));
        auto sent = request("/echo");
        sent.setHTTPMethod(method);
        if (body) sent.setHTTPBody(Data(*body));

        const auto reply = session_->data(sent);

        EXPECT_EQ(reply.first.view(), body.value_or(""));  // echoed by the server
        const auto seen = server_.seen().back();
        EXPECT_EQ(seen.method, method);
        const auto length = seen.headers.find("Content-Length");
        EXPECT_EQ(length == seen.headers.end() ? std::nullopt : std::optional(length->second),
                  expectedLength);
        for (const char* added : {"Expect", "Content-Type", "Accept", "Accept-Encoding", "Cookie"})
            EXPECT_FALSE(seen.headers.contains(added)) << added;
    }
}

TEST_F(URLSessionTest, HeadReturnsWithoutWaitingForTheAnnouncedBody) {
    auto sent = request("/large");
    sent.setHTTPMethod("HEAD");
    sent.setTimeoutInterval(URLRequest::Seconds(30));
    const auto reply = session_->data(sent);
    EXPECT_EQ(http(reply).statusCode(), 200);
    EXPECT_TRUE(reply.first.empty());
    EXPECT_EQ(server_.seen().back().method, "HEAD");
}

TEST(URLSessionWire, SendsExactlyTheGivenFieldsBesidesHostEmptyValuesIncluded) {
    RawHeadCapture capture;
    URLRequest sent(*URL::make("http://127.0.0.1:" + std::to_string(capture.port) + "/raw?q=1"));
    sent.addValue("application/json", "Accept");
    sent.addValue("", "X-Empty");
    sent.addValue("t", "X-Token");
    sent.addValue("a", "X-Joined");
    sent.addValue("b", "x-joined");

    EXPECT_EQ(http(URLSession::make()->data(sent)).statusCode(), 204);
    EXPECT_EQ(capture.head(),
              "GET /raw?q=1 HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(capture.port) +
                  "\r\nAccept: application/json\r\nX-Empty:\r\nX-Token: t\r\n"
                  "X-Joined: a,b\r\n\r\n");
}

TEST_F(URLSessionTest, ReturnsAnyStatusAsAReplyWithLowerCasedFieldsAndFollowsNoRedirect) {
    for (const int status : {201, 301, 304, 404}) {
        SCOPED_TRACE(status);
        const auto sent = request("/status/" + std::to_string(status));
        const auto reply = session_->data(sent);
        const auto& response = http(reply);
        EXPECT_EQ(response.statusCode(), status);
        EXPECT_EQ(response.url(), sent.url());
        EXPECT_EQ(reply.first.view(), status == 304 ? "" : "body");
        EXPECT_EQ(response.allHeaderFields().at("x-repeated"), "a, b");
        EXPECT_EQ(response.value("location").has_value(), status / 100 == 3);
    }
    EXPECT_EQ(server_.seen().size(), 4u);  // no Location was visited
}

TEST_F(URLSessionTest, ReadsALargeBodyIntoAPaddedBuffer) {
    const auto reply = session_->data(request("/large"));
    EXPECT_EQ(reply.first.view(), kLargeBody);
    EXPECT_GE(reply.first.capacity(), reply.first.size() + Data::kPadding);
}

TEST_F(URLSessionTest, RefusesUnsafeRequestsBeforeSendingAnything) {
    const std::pair<const char*, const char*> fields[] = {
        {"X-Bad", "a\r\nX-Injected: 1"}, {"X-Bad", "a\nb"}, {"X-Bad", "a\rb"},
        {"X-A\r\nX-Injected", "1"},      {"X-A: b", "1"},   {"", "1"}};
    for (const auto& [name, value] : fields) {
        auto sent = request("/echo");
        sent.addValue(value, name);
        EXPECT_EQ(codeOf([&] { session_->data(sent); }), URLError::Code::invalidHeaderValue)
            << name << ": " << value;
    }
    auto badMethod = request("/echo");
    badMethod.setHTTPMethod("GET / HTTP/1.1\r\nX: y");
    EXPECT_EQ(codeOf([&] { session_->data(badMethod); }), URLError::Code::unknown);
    for (const char* scheme : {"ftp", "ws"}) {
        const URLRequest sent(server_.url("/echo", scheme));
        EXPECT_EQ(codeOf([&] { session_->data(sent); }), URLError::Code::unsupportedURL);
    }

    // data() waits for the reply, so anything a refused call had sent would be recorded by now.
    session_->data(request("/echo"));
    const auto seen = server_.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_FALSE(seen.front().headers.contains("X-Injected"));
}

TEST_F(URLSessionTest, ReportsARefusedConnection) {
    int port = 0;
    const int bound = bindLoopback(port, false);  // never listening: connecting is refused
    const URLRequest sent(*URL::make("http://127.0.0.1:" + std::to_string(port) + "/"));
    EXPECT_EQ(codeOf([&] { session_->data(sent); }), URLError::Code::cannotConnectToHost);
    ::close(bound);
}

TEST_F(URLSessionTest, TimesOutWhenTheServerStaysSilentForTheIdleInterval) {
    auto sent = request("/hold");
    sent.setTimeoutInterval(URLRequest::Seconds(1));  // libcurl's shortest idle time
    EXPECT_EQ(codeOf([&] { session_->data(sent); }), URLError::Code::timedOut);
}

TEST_F(URLSessionTest, CancellingTheTaskEndsATransferAtOnce) {
    auto task = Task<Reply>::detached([this] { return session_->data(request("/hold")); });
    server_.waitUntilParked(1);

    // The request's idle time-out is a minute: only the cancel can end the wait.
    task.cancel();
    EXPECT_THROW(task.value(), CancellationError);

    server_.openGate();
    EXPECT_EQ(http(session_->data(request("/echo"))).statusCode(), 200);
}

TEST_F(URLSessionTest, ACancelRacingTheReplyEndsTheCallExactlyOnce) {
    for (int i = 0; i < 40; ++i) {
        const auto id = std::to_string(i);
        auto task =
            Task<Reply>::detached([this, id] { return session_->data(request("/item/" + id)); });
        task.cancel();
        try {
            EXPECT_EQ(task.value().first.view(), id);
        } catch (const CancellationError&) {  // cancelled first: also a correct ending
        }
    }
    EXPECT_EQ(session_->data(request("/item/99")).first.view(), "99");
}

TEST_F(URLSessionTest, CancelBeforeTheStartSendsNothingAndAfterTheEndChangesNothing) {
    CancellationSource before;
    before.cancel();
    {
        CancellationScope scope(before.token());
        EXPECT_THROW(session_->data(request("/echo")), CancellationError);
    }
    CancellationSource after;
    std::optional<Reply> reply;
    {
        CancellationScope scope(after.token());
        reply = session_->data(request("/item/7"));
    }
    after.cancel();
    EXPECT_EQ(reply->first.view(), "7");
    EXPECT_EQ(session_->data(request("/item/8")).first.view(), "8");
    EXPECT_EQ(server_.seen().size(), 2u);  // the two items, not the cancelled request
}

TEST_F(URLSessionTest, CarriesManyConcurrentRequestsFromSeveralTasks) {
    constexpr int kTasks = 6;
    constexpr int kRequestsPerTask = 8;
    std::vector<Task<int>> tasks;  // each counts the replies that were not its own
    for (int t = 0; t < kTasks; ++t) {
        tasks.push_back(Task<int>::detached([this, t] {
            int foreign = 0;
            for (int i = 0; i < kRequestsPerTask; ++i) {
                const auto id = std::to_string(t * 100 + i);
                foreign += session_->data(request("/item/" + id)).first.view() != id;
            }
            return foreign;
        }));
    }
    for (auto& task : tasks) EXPECT_EQ(task.value(), 0);
    // Connections are reused: 48 requests on at most one connection per task.
    std::set<int> connections;
    for (const auto& seen : server_.seen()) connections.insert(seen.remotePort);
    EXPECT_EQ(server_.seen().size(), std::size_t{kTasks * kRequestsPerTask});
    EXPECT_LE(connections.size(), std::size_t{kTasks});
}

TEST_F(URLSessionTest, DestroyingTheSessionEndsItsTransfersAsCancelled) {
    URLSession& session = *session_;
    std::optional<URLError::Code> code;
    std::thread caller([&] { code = codeOf([&] { session.data(request("/hold")); }); });
    server_.waitUntilParked(1);

    session_.reset();
    caller.join();
    EXPECT_EQ(code, URLError::Code::cancelled);
}

}  // namespace
}  // namespace corvend::platform
