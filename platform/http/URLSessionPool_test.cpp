// A session reuses the easy handle of an ended transfer: whatever that transfer was and however
// it ended, the next request carries none of it.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/async/CancellationError.hpp"
#include "platform/async/Task.hpp"
#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"

namespace corvend::platform {
namespace {

using Reply = std::pair<Data, std::shared_ptr<URLResponse>>;

struct SeenRequest {
    std::string method;
    httplib::Headers headers;
    std::string body;
};

constexpr std::size_t kCap = 1024;  // the sessions' body cap; /large is above it
const std::string kLargeBody(2 * kCap, 'x');

class RecordingServer {
  public:
    RecordingServer() {
        std::signal(SIGPIPE, SIG_IGN);
        server_.set_keep_alive_max_count(1000);
        server_.set_pre_routing_handler(
            [this](const httplib::Request& request, httplib::Response&) {
                std::lock_guard lock(mutex_);
                seen_.push_back({request.method, request.headers, request.body});
                return httplib::Server::HandlerResponse::Unhandled;
            });
        const auto echo = [](const httplib::Request& request, httplib::Response& response) {
            response.set_content(request.body, "text/plain");
        };
        server_.Post("/echo", echo).Put("/echo", echo).Delete("/echo", echo);
        server_.Get("/text", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("text", "text/plain");
        });
        server_.Get("/large", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(kLargeBody, "text/plain");
        });
        server_.Post("/hold", [this](const httplib::Request&, httplib::Response& response) {
            std::unique_lock lock(mutex_);
            ++parked_;
            changed_.notify_all();
            changed_.wait(lock, [&] { return gateOpen_; });
            response.set_content("released", "text/plain");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running()) std::this_thread::yield();
    }

    ~RecordingServer() {
        openGate();
        server_.stop();
        thread_.join();
    }

    URLRequest request(std::string_view path, std::string_view method = "GET") const {
        URLRequest request(
            *URL::make("http://127.0.0.1:" + std::to_string(port_) + std::string(path)));
        request.setHTTPMethod(std::string(method));
        return request;
    }

    SeenRequest last() const {
        std::lock_guard lock(mutex_);
        return seen_.back();
    }

    void waitUntilParked() {
        std::unique_lock lock(mutex_);
        ASSERT_TRUE(changed_.wait_for(lock, std::chrono::seconds(30), [&] { return parked_ > 0; }));
    }

    void openGate() {
        std::lock_guard lock(mutex_);
        gateOpen_ = true;
        changed_.notify_all();
    }

  private:
    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<SeenRequest> seen_;
    int parked_ = 0;
    bool gateOpen_ = false;
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
             const int bound = ::socket(AF_INET, SOCK_STREAM, 0);  // bound, never listening
             sockaddr_in address{};
             address.sin_family = AF_INET;
             address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
             socklen_t length = sizeof(address);
             auto* generic = reinterpret_cast<sockaddr*>(&address);
             ASSERT_EQ(::bind(bound, generic, length), 0);
             ASSERT_EQ(::getsockname(bound, generic, &length), 0);
             URLRequest sent(
                 *URL::make("http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/"));
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
             server.waitUntilParked();
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
        const auto seen = server.last();
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
