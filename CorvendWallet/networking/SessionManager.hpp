#pragma once

#include <memory>

#include "CorvendWallet/networking/SessionManagable.hpp"
#include "platform/http/URLSession.hpp"

namespace corvend {

// Sends through one platform URL session.
class SessionManager final : public SessionManagable {
  public:
    explicit SessionManager(std::shared_ptr<platform::URLSession> urlSession)
        : urlSession_(std::move(urlSession)) {}

    SessionReply data(const platform::URLRequest& request) override {
        auto [body, response] = urlSession_->data(request);
        return {std::move(body), std::move(response)};
    }

    const std::shared_ptr<platform::URLSession>& urlSession() const { return urlSession_; }

  private:
    std::shared_ptr<platform::URLSession> urlSession_;
};

}  // namespace corvend
