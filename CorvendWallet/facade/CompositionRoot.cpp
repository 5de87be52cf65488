#include "CorvendWallet/facade/CompositionRoot.hpp"

#include <chrono>

#include "CorvendWallet/networking/SessionManager.hpp"
#include "CorvendWallet/setup/DeviceProfilingAdapter.hpp"
#include "CorvendWallet/ui/foundation/WalletBundle.hpp"
#include "platform/http/URLSession.hpp"

namespace corvend {

CompositionOptions CompositionOptions::standard() {
    return {.profilingProvider = [] { return DeviceProfilingAdapter::shared(); },
            .info = kitInfoDictionary()};
}

std::shared_ptr<SessionManagable> CompositionOptions::makeEphemeralSessionManager() {
    auto configuration = platform::URLSessionConfiguration::ephemeral();
    // No call of the kit's needs more than a minute, however slowly a server sends it.
    configuration.timeoutIntervalForResource = std::chrono::seconds(60);
    // A session that cannot be had now (no descriptor left) fails the calls until one can.
    return std::make_shared<SessionManager>(
        [configuration] { return platform::URLSession::make(configuration); });
}

WalletEnvironmentProvider::InfoDictionary kitInfoDictionary() {
    WalletEnvironmentProvider::InfoDictionary info;
    for (auto& [key, value] : WalletBundle::shared()->infoDictionary()) info.emplace(key, value);
    return info;
}

std::shared_ptr<WalletCore> makeWalletCore(CompositionOptions options) {
    auto fingerprintProvider = ProfilingDeviceFingerprintProvider::make(
        ProfilingDeviceFingerprintProvider::makeWorkerQueue(),
        std::move(options.profilingProvider));
    auto environmentProvider = WalletEnvironmentProvider::make(options.info);
    const auto makeManager = [&] {
        return NetworkManager::make(options.makeSessionManager(), options.enqueuedHeaders);
    };
    auto unauthenticated = makeManager();
    auto userAuthenticated = makeManager();
    auto weaklyAuthenticated = makeManager();
    return WalletCore::make({
        .unauthenticated = std::move(unauthenticated),
        .userAuthenticated = std::move(userAuthenticated),
        .weaklyAuthenticated = std::move(weaklyAuthenticated),
        .enqueuedHeaders = options.enqueuedHeaders,
        .deviceFingerprintProvider = fingerprintProvider,
        .deviceFingerprintProviderConfigurator = fingerprintProvider,
        .environmentProperties = environmentProvider,
        .environmentPropertiesConfigurator = environmentProvider,
        .eventsTrackingManager = nullptr,
    });
}

}  // namespace corvend
