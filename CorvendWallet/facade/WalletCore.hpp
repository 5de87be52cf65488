#pragma once

#include <exception>
#include <memory>
#include <optional>

#include "CorvendWallet/facade/ConfigurationOrder.hpp"
#include "CorvendWallet/facade/Core.hpp"
#include "CorvendWallet/foundation/Passkey.hpp"
#include "CorvendWallet/networking/EnqueuedHeadersProvider.hpp"
#include "CorvendWallet/networking/NetworkManager.hpp"
#include "CorvendWallet/networking/NetworkManagerEnvironment.hpp"
#include "CorvendWallet/setup/DeviceFingerprintProviderConfigurable.hpp"
#include "CorvendWallet/setup/EnvironmentPropertiesProviderConfigurable.hpp"
#include "CorvendWallet/setup/EventsTrackingManager.hpp"

namespace corvend {

// The kit's object graph: the three network managers, the fingerprint and environment
// providers, the events-tracking manager, and the set-up that configures them.
class WalletCore final : public Core, public std::enable_shared_from_this<WalletCore> {
  public:
    struct Parts {
        std::shared_ptr<NetworkManager> unauthenticated;
        std::shared_ptr<NetworkManager> userAuthenticated;
        std::shared_ptr<NetworkManager> weaklyAuthenticated;
        std::shared_ptr<EnqueuedHeadersProviding> enqueuedHeaders;
        std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider;
        std::shared_ptr<DeviceFingerprintProviderConfigurable>
            deviceFingerprintProviderConfigurator;
        std::shared_ptr<EnvironmentPropertiesProvider> environmentProperties;
        std::shared_ptr<EnvironmentPropertiesProviderConfigurable>
            environmentPropertiesConfigurator;
        // Made from the unauthenticated manager when absent.
        std::shared_ptr<EventsTrackingManager> eventsTrackingManager;
    };

    // Wires every manager's decoding failures to the events-tracking manager. No request is
    // sent; the managers stay unconfigured until configure().
    static std::shared_ptr<WalletCore> make(Parts parts);

    // The set-up, on the calling thread: checks the base URL ("C0001": not an absolute http(s)
    // URL with a host, ending in "/"; refused in its turn, which only clears the customer's
    // token), installs the default appearance unless one was applied
    // and records the device (both on the main thread: inline when called there, else posted
    // and waited for), gives the three managers fresh environments without a token, gives the
    // weakly authenticated one the configuration token, fetches the device-screening settings
    // through it, configures the fingerprint provider and returns its fingerprint. What the
    // request or the fingerprint throws is mapped by configurationError(), cancellation aside.
    // Configurations take effect one after another in the order issued: from the managers'
    // environments on, each waits (cancellably) for those issued before it to end.
    model::ConfigurationResult configure(const model::Configuration& configuration) override;

    // configure() in a task of its own, as runWalletOperation runs an operation; its place in
    // the order is taken at this call.
    std::shared_ptr<WalletOperationHandle> configure(model::Configuration configuration,
                                                     ConfigureCompletion completion) override;

    // Queues the token on the user-authenticated manager alone; dropped when it has no
    // environment yet.
    void authenticate(const model::AuthenticationConfiguration& configuration) override;

    const NetworkManagers& networkManagers() const override { return networkManagers_; }
    std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider() const override {
        return parts_.deviceFingerprintProvider;
    }
    std::shared_ptr<EnvironmentPropertiesProvider> environmentProperties() const override {
        return parts_.environmentProperties;
    }
    const std::shared_ptr<EventsTrackingManager>& eventsTrackingManager() const {
        return parts_.eventsTrackingManager;
    }

    using Private = Passkey<WalletCore>;
    WalletCore(Private, Parts parts);

  private:
    model::ConfigurationResult configureInTurn(const model::Configuration& configuration,
                                               const ConfigurationOrder::Turn& turn);

    Parts parts_;
    NetworkManagers networkManagers_;
    ConfigurationOrder order_;
    // What the latest configuration gave the managers, without a token; used in a turn only.
    std::optional<NetworkManagerEnvironment> environment_;
};

// The set-up's mapping of any failure to a model::ConfigurationError.
model::ConfigurationError configurationError(const std::exception_ptr& error);

}  // namespace corvend
