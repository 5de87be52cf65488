#pragma once

#include <cstdint>
#include <string>

namespace corvend::sandbox {

// Configuration of a `Sandbox`. Every member has a usable default, so `SandboxOptions{}` serves
// the kit's test configuration on an ephemeral port.
struct SandboxOptions {
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

    // With both set, the sandbox serves https with this PEM certificate (chain) and private key;
    // with neither, http.
    std::string certificateFile;
    std::string privateKeyFile;
};

}  // namespace corvend::sandbox
