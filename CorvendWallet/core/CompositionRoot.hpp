#pragma once

#include <memory>
#include <optional>

#include "CorvendWallet/core/setup/ProfilingDeviceFingerprintProvider.hpp"
#include "CorvendWallet/core/WalletCore.hpp"
#include "CorvendWallet/core/setup/WalletEnvironmentProvider.hpp"
#include "platform/http/URLSession.hpp"

namespace corvend {

// What the kit's object graph is built from. The defaults are the kit's own; tests replace
// what they need to observe.
struct CompositionOptions {
    // The profiler behind the fingerprint provider.
    ProfilingDeviceFingerprintProvider::ProfilingProvider profilingProvider;
    // The kit's information dictionary (its version); absent for a kit without one.
    std::optional<WalletEnvironmentProvider::InfoDictionary> info;
    platform::URLSessionConfiguration sessionConfiguration =
        platform::URLSessionConfiguration::ephemeral();

    // The kit's own choices: the shared profiler and the kit's version.
    static CompositionOptions standard();
};

// The kit's information dictionary: its version under the short-version key.
WalletEnvironmentProvider::InfoDictionary kitInfoDictionary();

// Builds the whole object graph, in order: the fingerprint worker queue and provider, the
// environment provider, the shared enqueued-headers provider, the unauthenticated,
// user-authenticated and weakly authenticated managers (each with its own session), then the
// core. Sends nothing.
std::shared_ptr<WalletCore> makeWalletCore(
    CompositionOptions options = CompositionOptions::standard());

}  // namespace corvend
