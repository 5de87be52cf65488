#pragma once

#include <functional>
#include <memory>

#include "CorvendWallet/setup/EnvironmentPropertiesProvider.hpp"
#include "CorvendWallet/setup/EventsTrackingEndpoint.hpp"
#include "CorvendWallet/setup/EventsTrackingManager.hpp"
#include "CorvendWallet/networking/Networkable.hpp"

namespace corvend {

// Posts each event, described with the kit's user agent, version and platform, through the
// unauthenticated network manager. Keeps nothing between events: no queue, no retry.
class WalletEventTrackingManager : public EventsTrackingManager {
  public:
    // A sending job; it never throws.
    using Operation = std::function<void()>;
    // Runs an operation, usually elsewhere; must not block on it.
    using OperationRunner = std::function<void(Operation)>;

    // `networkManager` and `environmentProvider` must not be null (std::invalid_argument).
    // `executeOperation` is given each sending job; an empty one means the default runner.
    WalletEventTrackingManager(std::shared_ptr<Networkable> networkManager,
                               std::shared_ptr<EnvironmentPropertiesProvider> environmentProvider,
                               OperationRunner executeOperation = defaultOperationRunner());

    // Starts every operation in a new detached task of its own and keeps no handle, so the
    // operation can be neither awaited nor cancelled, and a slow post holds up nobody.
    static OperationRunner defaultOperationRunner();

    // The wire document of `event` with the given metadata. "walletVersion" is "iOS-" + the
    // provider's version.
    static EventsTrackingEndpoint::ErrorEvent wireDocument(
        const ErrorEvent& event, const EnvironmentPropertiesProvider& environment);

    // Reads the environment, builds the wire document and hands a job that posts it to the
    // operation runner. The job holds the network manager, so the post outlives this object.
    void track(const ErrorEvent& event) noexcept override;

  private:
    std::shared_ptr<Networkable> networkManager_;
    std::shared_ptr<EnvironmentPropertiesProvider> environmentProvider_;
    OperationRunner executeOperation_;
};

}  // namespace corvend
