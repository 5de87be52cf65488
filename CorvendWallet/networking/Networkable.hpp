#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "CorvendWallet/foundation/CompletionBridge.hpp"
#include "CorvendWallet/foundation/Result.hpp"
#include "CorvendWallet/foundation/WalletOperationHandle.hpp"
#include "CorvendWallet/networking/Endpoint.hpp"
#include "CorvendWallet/networking/NetworkManagerErrorReporter.hpp"
#include "CorvendWallet/networking/ResponseValidation.hpp"

namespace corvend {

// What a repository performs endpoints through. Made as a shared object.
class Networkable : public std::enable_shared_from_this<Networkable> {
  public:
    virtual ~Networkable() = default;

    // Sends the endpoint's request (at most one) and returns its reply read as T. Throws
    // model::WalletError (notConfigured, the internal codes, the error processor's errors),
    // platform::CancellationError when the current task is cancelled, or the transport's
    // platform::URLError unchanged. Blocks: never call it on the thread driving MainQueue.
    template <class T>
    T request(const Endpoint<T>& endpoint) {
        std::optional<T> value;
        perform(endpoint, [&](const platform::URLResponse* response,
                              const std::optional<platform::Data>& body,
                              const NetworkManagerErrorReporter& reporter) {
            value.emplace(decodeResponse(response, body, endpoint, reporter));
        });
        return std::move(*value);
    }

    // The completion form: runs request(endpoint) in a task of its own and reports on the
    // main queue (not at all when cancelled). Keeps this object alive until it has ended.
    template <class T>
    std::shared_ptr<WalletOperationHandle> request(Endpoint<T> endpoint,
                                                   std::function<void(Result<T>)> completion) {
        return runWalletOperation<T>(
            [self = shared_from_this(), endpoint = std::move(endpoint)] {
                return self->request(endpoint);
            },
            std::move(completion));
    }

  protected:
    // Validates and decodes a reply; called once per sent request, outside every lock.
    using ReplyHandler = std::function<void(const platform::URLResponse* response,
                                            const std::optional<platform::Data>& body,
                                            const NetworkManagerErrorReporter& reporter)>;

    // Builds and sends the endpoint's request, then hands the reply to `handleReply`, whose
    // failures pass through unchanged.
    virtual void perform(const EndpointBase& endpoint, const ReplyHandler& handleReply) = 0;
};

}  // namespace corvend
