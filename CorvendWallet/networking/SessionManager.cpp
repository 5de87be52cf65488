#include "CorvendWallet/networking/SessionManager.hpp"

#include <utility>

#include "platform/http/URLError.hpp"

namespace corvend {

SessionManager::SessionManager(std::shared_ptr<platform::URLSession> urlSession)
    : urlSession_(std::move(urlSession)), made_(true) {}

SessionManager::SessionManager(MakeSession make) : make_(std::move(make)) {
    try {
        session();
    } catch (const platform::URLError&) {
        // The first call tries again, and fails with it if it still cannot be had.
    }
}

SessionReply SessionManager::data(const platform::URLRequest& request) {
    auto [body, response] = session().data(request);
    return {std::move(body), std::move(response)};
}

std::shared_ptr<platform::URLSession> SessionManager::urlSession() const {
    return made_.load(std::memory_order_acquire) ? urlSession_ : nullptr;
}

platform::URLSession& SessionManager::session() {
    if (made_.load(std::memory_order_acquire)) return *urlSession_;
    std::lock_guard lock(mutex_);
    if (!urlSession_) urlSession_ = make_();
    made_.store(true, std::memory_order_release);
    return *urlSession_;
}

}  // namespace corvend
