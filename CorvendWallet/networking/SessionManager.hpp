#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

#include "CorvendWallet/networking/SessionManagable.hpp"
#include "platform/http/URLSession.hpp"

namespace corvend {

// Sends through one platform URL session.
class SessionManager final : public SessionManagable {
  public:
    using MakeSession = std::function<std::shared_ptr<platform::URLSession>()>;

    explicit SessionManager(std::shared_ptr<platform::URLSession> urlSession);
    // Over the session `make` returns. One that cannot be had now (`make` throws a
    // platform::URLError, as when the process is out of descriptors) is made again by each call,
    // which fails with that error until one is made.
    explicit SessionManager(MakeSession make);

    SessionReply data(const platform::URLRequest& request) override;

    // Absent while none could be made.
    std::shared_ptr<platform::URLSession> urlSession() const;

  private:
    platform::URLSession& session();

    const MakeSession make_;
    std::mutex mutex_;                                  // held while a session is made
    std::shared_ptr<platform::URLSession> urlSession_;  // set once, before made_
    std::atomic<bool> made_{false};
};

}  // namespace corvend
