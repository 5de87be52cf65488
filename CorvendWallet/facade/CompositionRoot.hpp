#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "CorvendWallet/facade/WalletCore.hpp"
#include "CorvendWallet/setup/ProfilingDeviceFingerprintProvider.hpp"
#include "CorvendWallet/setup/WalletEnvironmentProvider.hpp"
#include "CorvendWallet/networking/EnqueuedHeadersProvider.hpp"
#include "CorvendWallet/networking/SessionManagable.hpp"

namespace corvend {

// What the kit's object graph is built from. The defaults are the kit's own; tests replace
// what they need to observe.
struct CompositionOptions {
    // The profiler behind the fingerprint provider.
    ProfilingDeviceFingerprintProvider::ProfilingProvider profilingProvider;
    // The kit's information dictionary (its version); absent for a kit without one.
    std::optional<WalletEnvironmentProvider::InfoDictionary> info;
    // Called once per network manager: its own session manager, over a new ephemeral session.
    std::function<std::shared_ptr<SessionManagable>()> makeSessionManager =
        &makeEphemeralSessionManager;
    // The one pending-header queue that the three managers share.
    std::shared_ptr<EnqueuedHeadersProviding> enqueuedHeaders =
        std::make_shared<EnqueuedHeadersProvider>();

    // The kit's own choices: the shared profiler and the kit's version.
    static CompositionOptions standard();

    // A session manager over a new URL session of the ephemeral configuration, each transfer
    // capped at 60 seconds in all.
    static std::shared_ptr<SessionManagable> makeEphemeralSessionManager();
};

// The kit bundle's information dictionary (its version under the short-version key).
WalletEnvironmentProvider::InfoDictionary kitInfoDictionary();

// Builds the whole object graph, in order: the fingerprint worker queue and provider, the
// environment provider, the unauthenticated, user-authenticated and weakly authenticated
// managers (each with a session manager of its own, all with the one pending-header queue),
// then the core. Sends nothing.
std::shared_ptr<WalletCore> makeWalletCore(
    CompositionOptions options = CompositionOptions::standard());

}  // namespace corvend
