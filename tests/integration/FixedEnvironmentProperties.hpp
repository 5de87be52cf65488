#pragma once

#include <map>
#include <string>

#include "CorvendWallet/setup/EnvironmentPropertiesProvider.hpp"

namespace corvend::integration {

// The kit's identity as a configured kit would report it, fixed so that tests can compare what
// reaches the wire. Stateless, so safe from any thread.
class FixedEnvironmentProperties final : public EnvironmentPropertiesProvider {
  public:
    std::string version() const override { return "1.2.3"; }
    std::string platform() const override { return "Linux 6.1"; }
    std::string userAgent() const override {
        return "CorvendWalletLinux/1.2.3 (Linux 6.1; Desktop)";
    }
    // The three kit headers, built from the values above as the kit builds them.
    std::map<std::string, std::string> headers() const override {
        return {{"Corvend-Wallet-Version", "iOS-" + version()},
                {"Corvend-Wallet-Platform", platform()},
                {"User-Agent", userAgent()}};
    }
};

}  // namespace corvend::integration
