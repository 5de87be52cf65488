#include "CorvendWallet/setup/WalletEventTrackingManager.hpp"

#include <stdexcept>
#include <utility>

#include "platform/async/Task.hpp"

namespace corvend {

WalletEventTrackingManager::WalletEventTrackingManager(
    std::shared_ptr<Networkable> networkManager,
    std::shared_ptr<EnvironmentPropertiesProvider> environmentProvider,
    OperationRunner executeOperation)
    : networkManager_(std::move(networkManager)),
      environmentProvider_(std::move(environmentProvider)),
      executeOperation_(executeOperation ? std::move(executeOperation) : defaultOperationRunner()) {
    if (!networkManager_) throw std::invalid_argument("WalletEventTrackingManager: no network");
    if (!environmentProvider_) {
        throw std::invalid_argument("WalletEventTrackingManager: no environment provider");
    }
}

WalletEventTrackingManager::OperationRunner WalletEventTrackingManager::defaultOperationRunner() {
    return [](Operation operation) { platform::Task<void>::detached(std::move(operation)); };
}

EventsTrackingEndpoint::ErrorEvent WalletEventTrackingManager::wireDocument(
    const ErrorEvent& event, const EnvironmentPropertiesProvider& environment) {
    using Wire = EventsTrackingEndpoint::ErrorEvent;
    Wire document;
    document.walletMetadata.userAgent = environment.userAgent();
    document.walletMetadata.walletVersion = "iOS-" + environment.version();
    document.walletMetadata.walletPlatform = environment.platform();
    document.eventID = event.eventID;
    document.eventName = std::string(ErrorEvent::rawValue(event.eventName));
    document.timestamp = event.timestamp;
    if (event.httpDetails) {
        document.httpDetails = Wire::HttpDetails{event.httpDetails->url, event.httpDetails->method};
    }
    if (event.parameters) {
        auto& parameters = document.parameters.emplace();
        parameters.reserve(event.parameters->size());
        for (const auto& parameter : *event.parameters) {
            parameters.push_back({parameter.key, parameter.value});
        }
    }
    return document;
}

void WalletEventTrackingManager::track(const ErrorEvent& event) noexcept {
    try {
        executeOperation_([networkManager = networkManager_,
                           document = wireDocument(event, *environmentProvider_)]() noexcept {
            try {
                networkManager->request(EventsTrackingEndpoint::trackError(document));
            } catch (...) {
                // Lost events are not reported: a report would be another event to send.
            }
        });
    } catch (...) {
        // A runner that cannot start the job loses the event, as a failed post would.
    }
}

}  // namespace corvend
