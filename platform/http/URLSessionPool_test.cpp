// A session reuses the easy handle of an ended transfer: whatever that transfer was and however
// it ended, the next request carries none of it.

#include <gtest/gtest.h>
#include <httplib.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/async/CancellationError.hpp"
#include "platform/async/Task.hpp"
#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"
#include "tests/support/LoopbackServer.hpp"

namespace corvend::platform {
namespace {

using Reply = std::pair<Data, std::shared_ptr<URLResponse>>;

constexpr std::size_t kCap = 1024;  // the sessions' body cap; /large is above it
const std::string kLargeBody(2 * kCap, 'x');

// Echoes bodies, serves a small and a large text, and parks "/hold" at the gate.
class RecordingServer : public corvend::testing::LoopbackServer {
  public:
    RecordingServer() {
        const auto echo = [](const httplib::Request& request, httplib::Response& response) {
            response.set_content(request.body, "text/plain");
        };
        routes().Post("/echo", echo).Put("/echo", echo).Delete("/echo", echo);
        routes().Get("/text", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("text", "text/plain");
        });
        routes().Get("/large", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(kLargeBody, "text/plain");
        });
        routes().Post("/hold", [this](const httplib::Request&, httplib::Response& response) {
            park();
            response.set_content("released", "text/plain");
        });
        start();
    }

    URLRequest request(std::string_view path, std::string_view method = "GET") const {
        URLRequest request(url(path));
        request.setHTTPMethod(std::string(method));
        return request;
    }
};

URLError::Code codeOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const URLError& error) {
        return error.code();
    }
    ADD_FAILURE() << "no URLError thrown";
    return URLError::Code::unknown;
}

TEST(URLSessionPool, ARequestCarriesNothingOfTheEndedTransferWhoseHandleItReuses) {
    RecordingServer server;
    struct Row {
        const char* name;
        std::function<void(URLSession&)> before;  // ends with its handle back in the pool
    };
    const std::vector<Row> rows{
        {"POST with a body and a field",
         [&](URLSession& session) {
             auto sent = server.request("/echo", "POST");
             sent.setHTTPBody(Data(std::string("payload")));
             sent.addValue("1", "X-Before");
             sent.setTimeoutInterval(URLRequest::Seconds(1));
             EXPECT_EQ(session.data(sent).first.view(), "payload");
         }},
        {"PUT without a body",
         [&](URLSession& session) { session.data(server.request("/echo", "PUT")); }},
        {"DELETE",
         [&](URLSession& session) {
             auto sent = server.request("/echo", "DELETE");
             sent.addValue("1", "X-Before");
             session.data(sent);
         }},
        {"HEAD",
         [&](URLSession& session) {
             EXPECT_TRUE(session.data(server.request("/large", "HEAD")).first.empty());
         }},
        {"a body over the cap",
         [&](URLSession& session) {
             EXPECT_EQ(codeOf([&] { session.data(server.request("/large")); }),
                       URLError::Code::dataLengthExceedsMaximum);
         }},
        {"a refused connection",
         [&](URLSession& session) {
             int port = 0;
             const int bound = corvend::testing::bindLoopback(port, false);  // never listening
             URLRequest sent(*URL::make("http://127.0.0.1:" + std::to_string(port) + "/"));
             sent.addValue("1", "X-Before");
             EXPECT_EQ(codeOf([&] { session.data(sent); }), URLError::Code::cannotConnectToHost);
             ::close(bound);
         }},
        {"cancelled mid-way",
         [&](URLSession& session) {
             auto task = Task<Reply>::detached([&] {
                 auto sent = server.request("/hold", "POST");
                 sent.setHTTPBody(Data(std::string("payload")));
                 sent.addValue("1", "X-Before");
                 return session.data(sent);
             });
             server.waitUntilParked(1);
             task.cancel();
             EXPECT_THROW(task.value(), CancellationError);
             server.openGate();
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        URLSessionConfiguration configuration;
        configuration.maximumResponseBodyBytes = kCap;
        const auto session = URLSession::make(configuration);
        row.before(*session);

        // A plain GET: no method, body, length or field of the last request; its body is read.
        EXPECT_EQ(session->data(server.request("/text")).first.view(), "text");
        const auto seen = server.seen().back();
        EXPECT_EQ(seen.method, "GET");
        EXPECT_EQ(seen.body, "");
        for (const char* field : {"X-Before", "Content-Length", "Content-Type"}) {
            EXPECT_FALSE(seen.headers.contains(field)) << field;
        }
        // A HEAD announcing a length over the cap: the cap of the GET is not applied to it.
        EXPECT_TRUE(session->data(server.request("/large", "HEAD")).first.empty());
    }
}

}  // namespace
}  // namespace corvend::platform
