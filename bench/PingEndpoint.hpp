#pragma once

// The request the network benchmarks send: the sandbox's small JSON ping, with the kit's
// headers and a user token, so the kit and raw libcurl send the same bytes.

#include <boost/describe.hpp>
#include <map>
#include <string>

#include "CorvendWallet/networking/DefaultErrorProcessor.hpp"
#include "CorvendWallet/networking/Endpoint.hpp"
#include "CorvendWallet/networking/SharedCoders.hpp"

namespace corvend::bench {

inline constexpr const char* kPingPath = "digitalwallets/v1/sandbox/ping";
inline constexpr const char* kToken = "bench-user-token";

struct Ping {
    std::string status;
    std::string time;
};
BOOST_DESCRIBE_STRUCT(Ping, (), (status, time))

// The kit headers a configured manager sends with every request.
inline const std::map<std::string, std::string> kKitHeaders{
    {"Corvend-Wallet-Version", "1.2.3"},
    {"Corvend-Wallet-Platform", "Linux 6.1"},
    {"User-Agent", "CorvendWalletLinux/1.2.3 (Linux 6.1; Desktop)"},
};

// Built per call, as a repository builds its endpoint on every call.
inline Endpoint<Ping> pingEndpoint() {
    return Endpoint<Ping>(kPingPath, HTTPMethod::get(), {}, {}, EndpointParametersEncoder::empty(),
                          EndpointDecoder<Ping>::json(sharedResponseDecoder()),
                          defaultErrorProcessor());
}

}  // namespace corvend::bench
