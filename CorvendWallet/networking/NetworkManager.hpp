#pragma once

#include <memory>
#include <optional>
#include <string>

#include "CorvendWallet/foundation/LockIsolated.hpp"
#include "CorvendWallet/foundation/Passkey.hpp"
#include "CorvendWallet/foundation/SerialQueueIsolated.hpp"
#include "CorvendWallet/networking/EnqueuedHeadersProvider.hpp"
#include "CorvendWallet/networking/NetworkManagerConfigurable.hpp"
#include "CorvendWallet/networking/Networkable.hpp"
#include "CorvendWallet/networking/SessionManagable.hpp"

namespace corvend {

// Sends endpoints for one authentication role. Its environment lives on a private serial
// queue: changes are queued without waiting and every request reads it through the same
// queue, so a request sees every change queued before it.
class NetworkManager final : public Networkable, public NetworkManagerConfigurable {
  public:
    static std::shared_ptr<NetworkManager> make(
        std::shared_ptr<SessionManagable> sessionManager,
        std::shared_ptr<EnqueuedHeadersProviding> enqueuedHeaders);

    void setEnvironment(NetworkManagerEnvironment environment) override;
    void setAccessToken(std::string token) override;
    void setErrorReporter(NetworkManagerErrorReporter reporter) override;

    // The queue the environment lives on; every manager has its own, all labelled alike.
    const std::shared_ptr<platform::SerialQueue>& stateQueue() const noexcept {
        return state_->queue();
    }

    // Adds to a copy of `request`, in this order: the environment's headers, the pending
    // header, "Authorization: Bearer <token>" when there is a token; then sets the
    // environment's time-out.
    static platform::URLRequest prepareRequest(platform::URLRequest request,
                                               const NetworkManagerEnvironment& environment,
                                               const std::optional<EnqueuedHeader>& enqueuedHeader);

    using Private = Passkey<NetworkManager>;
    NetworkManager(Private, std::shared_ptr<SessionManagable> sessionManager,
                   std::shared_ptr<EnqueuedHeadersProviding> enqueuedHeaders);

  protected:
    void perform(const EndpointBase& endpoint, const ReplyHandler& handleReply) override;

  private:
    struct State {
        // Replaced whole by every change, never edited: a request reads it by taking a
        // reference rather than copying its headers and URL.
        std::shared_ptr<const NetworkManagerEnvironment> environment;
    };

    std::shared_ptr<SessionManagable> sessionManager_;
    std::shared_ptr<SerialQueueIsolated<State>> state_;
    LockIsolated<NetworkManagerErrorReporter> errorReporter_;
    std::shared_ptr<EnqueuedHeadersProviding> enqueuedHeaders_;
};

}  // namespace corvend
