#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace corvend::sandbox {

// Configuration of a `Sandbox`. Every member has a usable default, so `SandboxOptions{}` serves
// the kit's test configuration on an ephemeral port.
struct SandboxOptions {
    // How many records `wallet-sandbox` keeps of the requests and of the error events it
    // receives, so that it can run for days against a host that polls.
    static constexpr std::size_t kStandaloneRecordLimit = 1000;

    // The options `wallet-sandbox` serves with before its command line is applied.
    static SandboxOptions standalone() {
        SandboxOptions options;
        options.recordLimit = kStandaloneRecordLimit;
        return options;
    }

    // Port to bind on 127.0.0.1; 0 picks a free ephemeral port.
    std::uint16_t port = 0;

    // The only configuration token the configuration route accepts as its bearer credential.
    std::string configurationToken = "sandbox-config-token";

    // Device-screening values returned by the configuration route.
    std::string organizationId = "sandbox-org";
    std::string screenHost = "127.0.0.1";
    std::int64_t sessionExpiryMilliseconds = 3'600'000;

    // Upper bound on serving threads. Each open connection holds one while it lives (including
    // idle keep-alive ones and held replies), so the bound is generous.
    std::size_t maxThreads = 256;

    // How long a kept connection may wait for its next request before the sandbox closes it, as
    // a service closes idle connections.
    std::chrono::milliseconds idleConnectionLimit = std::chrono::seconds(5);

    // With both set, the sandbox serves https with this PEM certificate (chain) and private key;
    // with neither, http.
    std::string certificateFile;
    std::string privateKeyFile;

    // How many of the latest requests, and of the latest error events, are kept to read back;
    // none means every one (what tests read), a number bounds what a long run keeps.
    std::optional<std::size_t> recordLimit = std::nullopt;
};

}  // namespace corvend::sandbox
