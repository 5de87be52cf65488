#include "CorvendWallet/facade/WalletCore.hpp"

#include "CorvendWallet/foundation/CompletionBridge.hpp"
#include "CorvendWallet/foundation/ErrorCode.hpp"
#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/setup/ConfigurationEndpoint.hpp"
#include "CorvendWallet/setup/DeviceFingerprintProviderError.hpp"
#include "CorvendWallet/setup/ErrorEventReporter.hpp"
#include "CorvendWallet/setup/WalletEventTrackingManager.hpp"
#include "CorvendWallet/ui/foundation/Appearance.hpp"
#include "platform/async/CancellationError.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/foundation/DeviceInfo.hpp"

namespace corvend {

namespace ErrorCode = model::ErrorCode;

namespace {

constexpr double kRequestTimeoutSeconds = 15.0;

// An absolute http(s) URL with a host, whose path is empty (taken as "/") or ends in "/", with no
// query or fragment. Endpoint paths are resolved against it: a last segment without "/" would be
// dropped, and a query would be lost.
std::optional<platform::URL> parseBaseURL(const std::string& text) {
    auto url = platform::URL::make(text);
    if (!url) return std::nullopt;
    const auto scheme = url->scheme();
    if (scheme != "http" && scheme != "https") return std::nullopt;
    if (!url->host() || url->host()->empty()) return std::nullopt;
    // In a URL that parsed, "#" can only open the fragment.
    if (url->query() || text.find('#') != std::string::npos) return std::nullopt;
    const std::string path = url->path();
    if (path.empty()) return platform::URL::make(text + "/");
    if (!path.ends_with('/')) return std::nullopt;
    return url;
}

// Milliseconds to whole seconds, truncated toward zero, as the provider expects them.
std::optional<double> sessionExpirySeconds(std::optional<std::int64_t> milliseconds) {
    if (!milliseconds) return std::nullopt;
    return static_cast<double>(*milliseconds / 1000);
}

}  // namespace

model::ConfigurationError configurationError(const std::exception_ptr& error) {
    using model::ConfigurationError;
    using model::WalletError;
    try {
        std::rethrow_exception(error);
    } catch (const ConfigurationError& configurationError) {
        return configurationError;
    } catch (const WalletError& walletError) {
        if (const auto* data = walletError.as<WalletError::DataError>()) {
            const auto& details = data->details;
            return {details.message.value_or(details.code), details.code, details.errorID};
        }
        if (const auto* internal = walletError.as<WalletError::InternalError>()) {
            return {"Internal error", internal->code, internal->errorID};
        }
        if (const auto* unavailable = walletError.as<WalletError::ServiceUnavailable>()) {
            return {"Service unavailable", ErrorCode::configurationServiceUnavailable,
                    unavailable->errorID};
        }
        if (const auto* expired = walletError.as<WalletError::TokenExpired>()) {
            return {"Invalid configuration token", ErrorCode::invalidConfigurationToken,
                    expired->errorID};
        }
        return {"Internal error", ErrorCode::configurationInternal};
    } catch (const DeviceFingerprintProviderError&) {
        return {"Device fingerprint error", ErrorCode::fingerprintFailed};
    } catch (const std::exception& other) {
        return {other.what(), ErrorCode::configurationFailed};
    } catch (...) {
        return {"Unknown error", ErrorCode::configurationFailed};
    }
}

std::shared_ptr<WalletCore> WalletCore::make(Parts parts) {
    return std::make_shared<WalletCore>(Private{}, std::move(parts));
}

WalletCore::WalletCore(Private, Parts parts)
    : parts_(std::move(parts)),
      networkManagers_{parts_.userAuthenticated, parts_.weaklyAuthenticated,
                       parts_.unauthenticated} {
    if (!parts_.eventsTrackingManager) {
        parts_.eventsTrackingManager = std::make_shared<WalletEventTrackingManager>(
            parts_.unauthenticated, parts_.environmentProperties);
    }
    // The reporters hold the events manager weakly; this core keeps it alive.
    for (const auto& manager :
         {parts_.unauthenticated, parts_.userAuthenticated, parts_.weaklyAuthenticated}) {
        manager->setErrorReporter(makeErrorEventReporter(parts_.eventsTrackingManager));
    }
}

model::ConfigurationResult WalletCore::configure(const model::Configuration& configuration) {
    return configureInTurn(configuration, *order_.issue());
}

model::ConfigurationResult WalletCore::configureInTurn(const model::Configuration& configuration,
                                                       const ConfigurationOrder::Turn& turn) {
    const auto baseURL = parseBaseURL(configuration.baseURL);
    if (!baseURL) {
        // Refused before any request, yet in its turn: it reports after those issued before it
        // and clears the customer's token as every configure does, after they set theirs. Where
        // a good one would fail at once on the main queue, so does it, rather than wait for a
        // turn that may need that queue.
        platform::MainQueue::shared().checkSyncCanEnd();
        turn.await();
        if (environment_) parts_.userAuthenticated->setEnvironment(*environment_);
        throw model::ConfigurationError("Invalid base URL", ErrorCode::invalidBaseURL);
    }

    // The same for every configuration, so done before the turn: a turn is never held while
    // waiting for the main queue, and a blocking call made where that wait could never end
    // still fails at once instead of waiting for an earlier turn that waits for the queue.
    platform::MainQueue::shared().sync([this] {
        Appearance::applyDefaultUnlessApplied();
        parts_.environmentPropertiesConfigurator->configure(platform::currentDevice());
    });
    turn.await();

    environment_ = NetworkManagerEnvironment{*baseURL, parts_.environmentProperties->headers(),
                                             std::nullopt, kRequestTimeoutSeconds};
    for (const auto& manager :
         {parts_.unauthenticated, parts_.userAuthenticated, parts_.weaklyAuthenticated}) {
        manager->setEnvironment(*environment_);
    }
    parts_.weaklyAuthenticated->setAccessToken(configuration.configToken);

    try {
        const auto reply =
            parts_.weaklyAuthenticated->request(ConfigurationEndpoint::configurations());
        const auto& screening = reply.deviceScreening;
        parts_.deviceFingerprintProviderConfigurator->configure(
            {screening.organizationId, screening.screenHost,
             sessionExpirySeconds(screening.sessionExpiry)});
        return {parts_.deviceFingerprintProvider->fingerprint()};
    } catch (const platform::CancellationError&) {
        throw;
    } catch (...) {
        throw configurationError(std::current_exception());
    }
}

std::shared_ptr<WalletOperationHandle> WalletCore::configure(model::Configuration configuration,
                                                             ConfigureCompletion completion) {
    return runWalletOperation<model::ConfigurationResult>(
        [self = shared_from_this(), configuration = std::move(configuration),
         turn = order_.issue()] { return self->configureInTurn(configuration, *turn); },
        [completion = std::move(completion)](Result<model::ConfigurationResult> result) {
            if (result) {
                completion(std::move(*result));
            } else {
                completion(std::unexpected(configurationError(result.error().exception())));
            }
        });
}

void WalletCore::authenticate(const model::AuthenticationConfiguration& configuration) {
    parts_.userAuthenticated->setAccessToken(configuration.accessToken);
}

}  // namespace corvend
