#pragma once

#include <any>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "CorvendWallet/setup/EnvironmentPropertiesProvider.hpp"
#include "CorvendWallet/setup/EnvironmentPropertiesProviderConfigurable.hpp"
#include "CorvendWallet/foundation/LockIsolated.hpp"

namespace corvend {

// The kit's identity towards the wallet service. The version is fixed at construction; the
// platform and the user agent start as the kit's defaults and follow the device given at each
// set-up. Each of the two lives behind its own lock and configure() stores them one after the
// other, so a reader in between may see the new platform with the previous user agent.
class WalletEnvironmentProvider final : public EnvironmentPropertiesProvider,
                                        public EnvironmentPropertiesProviderConfigurable {
  public:
    // The kit's information dictionary: text keys, values of any type.
    using InfoDictionary = std::map<std::string, std::any, std::less<>>;

    // The key of the kit's version in the information dictionary.
    static constexpr const char* kVersionKey = "CFBundleShortVersionString";

    // Version: the text under kVersionKey (std::string or const char*), else "0.0.0" (also
    // when there is no dictionary). Platform "iOS"; user agent
    // "CorvendWalletiOS/<version> (iOS; Mobile)".
    explicit WalletEnvironmentProvider(const std::optional<InfoDictionary>& info);

    static std::shared_ptr<WalletEnvironmentProvider> make(
        const std::optional<InfoDictionary>& info);

    std::string version() const override { return version_; }
    std::string platform() const override;
    std::string userAgent() const override;

    // Exactly {"Corvend-Wallet-Version": "iOS-<version>", "Corvend-Wallet-Platform": platform,
    // "User-Agent": user agent}.
    std::map<std::string, std::string> headers() const override;

    // Platform: "<system name> <system version>"; user agent:
    // "CorvendWalletiOS/<version> (<platform>; Mobile)".
    void configure(const platform::DeviceInfo& device) override;

  private:
    const std::string version_;
    mutable LockIsolated<std::string> userAgent_;
    mutable LockIsolated<std::string> platform_;
};

}  // namespace corvend
