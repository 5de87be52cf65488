#pragma once

// The one fake network of the kit's tests: never linked into the kit.
//
//   auto network = std::make_shared<testing::FakeNetwork>(R"({"id":"dep-1"})");
//   repository->get("dep-1");
//   EXPECT_EQ(network->only().url, testing::FakeNetwork::kBaseURL.absoluteString() + "...");
//
//   network->setReply({.status = 422, .body = errorDocument});
//   network->setReply({.failure = [] { throw platform::CancellationError(); }});
//   network->setReply("digitalwallets/v1/profile/deposits/options", {.body = "[]"});

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "CorvendWallet/networking/Networkable.hpp"
#include "platform/http/URLResponse.hpp"

namespace corvend::testing {

// Builds each request as a network manager would (against kBaseURL, without a manager's
// environment), records it, then answers with the scripted reply.
class FakeNetwork : public Networkable {
  public:
    static inline const platform::URL kBaseURL =
        *platform::URL::make("https://wallet.example/api/");

    struct Sent {
        std::string method;
        std::string url;   // absolute, against kBaseURL
        std::string path;  // the endpoint's own text: relative path and query
        std::optional<std::string> contentType;
        std::optional<std::string> body;
        std::vector<std::pair<std::string, std::string>> headers;
        std::thread::id thread;
        const EndpointBase* endpoint;  // the endpoint performed, to tell a shared one from copies
    };

    struct Reply {
        int status = 200;
        std::optional<std::string> body = std::string("{}");  // absent: a reply without body
        std::map<std::string, std::string> headers{};
        // When set, called instead of answering: it throws what the manager would (a transport
        // error, cancellation, notConfigured, ...).
        std::function<void()> failure{};
    };

    FakeNetwork() = default;
    explicit FakeNetwork(std::string body) { reply_.body = std::move(body); }
    explicit FakeNetwork(Reply reply) : reply_(std::move(reply)) {}

    // The answer to every later request.
    void setReply(Reply reply) {
        std::lock_guard lock(mutex_);
        reply_ = std::move(reply);
    }
    void setBody(std::string body) { setReply({.body = std::move(body)}); }
    // The answer to every later request for `path` (as Sent::path has it), whatever setReply
    // gives the others: calls made side by side each get their own.
    void setReply(std::string path, Reply reply) {
        std::lock_guard lock(mutex_);
        repliesByPath_.insert_or_assign(std::move(path), std::move(reply));
    }

    // The request `endpoint` describes, without sending it: "METHOD URL BODY", the URL
    // against kBaseURL and BODY empty when there is none.
    static std::string requestLine(const EndpointBase& endpoint) {
        const auto request = endpoint.urlRequest(kBaseURL);
        return request.httpMethod() + " " + request.url().absoluteString() + " " +
               (request.httpBody() ? std::string(request.httpBody()->view()) : std::string());
    }

    std::vector<Sent> sent() const {
        std::lock_guard lock(mutex_);
        return sent_;
    }

    // The one request sent so far; throws (failing the test) otherwise.
    Sent only() const {
        auto all = sent();
        if (all.size() != 1) {
            throw std::logic_error("expected exactly one request, got " +
                                   std::to_string(all.size()));
        }
        return all.front();
    }

    // Waits until `count` requests were made; false when `timeout` passed first.
    bool waitForSent(std::size_t count, std::chrono::milliseconds timeout) const {
        std::unique_lock lock(mutex_);
        return sentChanged_.wait_for(lock, timeout, [&] { return sent_.size() >= count; });
    }

  protected:
    void perform(const EndpointBase& endpoint, const ReplyHandler& handleReply) override {
        const auto request = endpoint.urlRequest(kBaseURL);
        Reply reply;
        {
            std::lock_guard lock(mutex_);
            sent_.push_back({request.httpMethod(), request.url().absoluteString(),
                             endpoint.urlText(), request.value("Content-Type"),
                             request.httpBody()
                                 ? std::optional(std::string(request.httpBody()->view()))
                                 : std::nullopt,
                             request.allHTTPHeaderFields(), std::this_thread::get_id(), &endpoint});
            const auto byPath = repliesByPath_.find(endpoint.urlText());
            reply = byPath == repliesByPath_.end() ? reply_ : byPath->second;
        }
        sentChanged_.notify_all();
        if (reply.failure) reply.failure();
        const platform::HTTPURLResponse response(request.url(), reply.status, reply.headers);
        handleReply(&response,
                    reply.body ? std::optional(platform::Data(*reply.body)) : std::nullopt,
                    NetworkManagerErrorReporter::none());
    }

  private:
    mutable std::mutex mutex_;
    mutable std::condition_variable sentChanged_;
    Reply reply_;
    std::map<std::string, Reply, std::less<>> repliesByPath_;
    std::vector<Sent> sent_;
};

}  // namespace corvend::testing
