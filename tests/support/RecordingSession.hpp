#pragma once

// A session in place of the transport: keeps every request a network manager hands it and
// answers through `answer`.
//
//   auto session = std::make_shared<testing::RecordingSession>();   // a 200 {"status":"ok"}
//   auto manager = NetworkManager::make(session, headers);
//   EXPECT_EQ(session->sent().at(0).value("Authorization"), "Bearer tok");
//
//   testing::RecordingSession forwarding(testing::RecordingSession::forwardingTo(realSession));

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CorvendWallet/networking/SessionManagable.hpp"
#include "platform/http/URLResponse.hpp"

namespace corvend::testing {

class RecordingSession final : public SessionManagable {
  public:
    using Answer = std::function<SessionReply(const platform::URLRequest&)>;

    // A 200 reply with the body {"status":"ok"}.
    static SessionReply ok(const platform::URLRequest&) {
        return {platform::Data(R"({"status":"ok"})"),
                std::make_shared<platform::HTTPURLResponse>(
                    *platform::URL::make("https://wallet.example/"), 200,
                    std::map<std::string, std::string>{})};
    }

    // Hands each request on to `session`, a real one, and returns its reply.
    static Answer forwardingTo(std::shared_ptr<SessionManagable> session) {
        return [session = std::move(session)](const platform::URLRequest& request) {
            return session->data(request);
        };
    }

    explicit RecordingSession(Answer answer = &RecordingSession::ok) : answer(std::move(answer)) {}

    SessionReply data(const platform::URLRequest& request) override {
        {
            std::lock_guard lock(mutex_);
            sent_.push_back(request);
        }
        return answer(request);
    }

    // How the session answers; change it only while no request is on its way.
    Answer answer;

    // Every request handed over so far, in order. Callable from any thread.
    std::vector<platform::URLRequest> sent() const {
        std::lock_guard lock(mutex_);
        return sent_;
    }

    // The paths of sent(), in order.
    std::vector<std::string> paths() const {
        std::vector<std::string> paths;
        for (const auto& request : sent()) paths.push_back(request.url().path());
        return paths;
    }

    // How many requests went to `path`, given without its leading "/".
    long count(std::string_view path) const {
        return std::ranges::count(paths(), "/" + std::string(path));
    }

  private:
    mutable std::mutex mutex_;
    std::vector<platform::URLRequest> sent_;
};

}  // namespace corvend::testing
