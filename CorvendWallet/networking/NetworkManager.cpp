#include "CorvendWallet/networking/NetworkManager.hpp"

#include "CorvendWallet/foundation/ErrorCode.hpp"
#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/networking/HTTPHeaderName.hpp"
#include "platform/async/CancellationError.hpp"
#include "platform/async/SerialQueue.hpp"
#include "platform/http/URLError.hpp"
#include "platform/json/EncodingError.hpp"

namespace corvend {

namespace ErrorCode = model::ErrorCode;

std::shared_ptr<NetworkManager> NetworkManager::make(
    std::shared_ptr<SessionManagable> sessionManager,
    std::shared_ptr<EnqueuedHeadersProviding> enqueuedHeaders) {
    return std::make_shared<NetworkManager>(Private{}, std::move(sessionManager),
                                            std::move(enqueuedHeaders));
}

NetworkManager::NetworkManager(Private, std::shared_ptr<SessionManagable> sessionManager,
                               std::shared_ptr<EnqueuedHeadersProviding> enqueuedHeaders)
    : sessionManager_(std::move(sessionManager)),
      state_(SerialQueueIsolated<State>::make(
          platform::SerialQueue::make("com.corvend.wallet.network-manager-state"), State{})),
      errorReporter_(NetworkManagerErrorReporter::none()),
      enqueuedHeaders_(std::move(enqueuedHeaders)) {}

void NetworkManager::setEnvironment(NetworkManagerEnvironment environment) {
    auto shared = std::make_shared<const NetworkManagerEnvironment>(std::move(environment));
    state_->mutate([shared = std::move(shared)](State& state) mutable {
        state.environment = std::move(shared);
    });
}

void NetworkManager::setAccessToken(std::string token) {
    state_->mutate([token = std::move(token)](State& state) mutable {
        if (!state.environment) return;
        auto changed = std::make_shared<NetworkManagerEnvironment>(*state.environment);
        changed->accessToken = std::move(token);
        state.environment = std::move(changed);
    });
}

void NetworkManager::setErrorReporter(NetworkManagerErrorReporter reporter) {
    errorReporter_.withValue(
        [&](NetworkManagerErrorReporter& current) { current = std::move(reporter); });
}

platform::URLRequest NetworkManager::prepareRequest(
    platform::URLRequest request, const NetworkManagerEnvironment& environment,
    const std::optional<EnqueuedHeader>& enqueuedHeader) {
    request.addHeaders(environment.headers);
    if (enqueuedHeader) request.addValue(enqueuedHeader->value, enqueuedHeader->header);
    if (environment.accessToken) {
        // Built in the thread's buffer: addValue keeps its own copy.
        thread_local std::string authorization;
        authorization.assign("Bearer ").append(*environment.accessToken);
        request.addValue(authorization, HTTPHeaderName::authorization);
    }
    request.setTimeoutInterval(platform::URLRequest::Seconds(environment.timeout));
    return request;
}

void NetworkManager::perform(const EndpointBase& endpoint, const ReplyHandler& handleReply) {
    using model::WalletError;
    const auto environment = state_->withValue([](State& state) { return state.environment; });
    const auto enqueuedHeader = enqueuedHeaders_->dequeueHeader();
    if (!environment) throw WalletError::notConfigured();

    SessionReply reply;
    try {
        auto request =
            prepareRequest(endpoint.urlRequest(environment->baseURL), *environment, enqueuedHeader);
        reply = sessionManager_->data(request);
    } catch (const EndpointError& error) {
        if (error.value() == EndpointError::Case::invalidURL) {
            throw WalletError::internalError(ErrorCode::invalidURL, std::nullopt);
        }
        throw;
    } catch (const platform::EncodingError& error) {
        if (error.kind() == platform::EncodingError::Kind::invalidValue) {
            throw WalletError::internalError(ErrorCode::unencodableBody, std::nullopt);
        }
        throw;
    } catch (const platform::URLError& error) {
        if (error.code() == platform::URLError::Code::cancelled) {
            throw platform::CancellationError();
        }
        throw;
    }

    const auto reporter =
        errorReporter_.withValue([](NetworkManagerErrorReporter& current) { return current; });
    handleReply(reply.response.get(), reply.body, reporter);
}

}  // namespace corvend
