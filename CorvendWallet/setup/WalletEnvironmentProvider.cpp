#include "CorvendWallet/setup/WalletEnvironmentProvider.hpp"

#include <utility>

namespace corvend {

namespace {

constexpr const char* kDefaultVersion = "0.0.0";
constexpr const char* kDefaultPlatform = "iOS";

std::string versionFrom(const std::optional<WalletEnvironmentProvider::InfoDictionary>& info) {
    if (!info) return kDefaultVersion;
    const auto entry = info->find(WalletEnvironmentProvider::kVersionKey);
    if (entry == info->end()) return kDefaultVersion;
    if (const auto* text = std::any_cast<std::string>(&entry->second)) return *text;
    if (const auto* text = std::any_cast<const char*>(&entry->second);
        text != nullptr && *text != nullptr) {
        return *text;
    }
    return kDefaultVersion;
}

std::string makeUserAgent(const std::string& version, const std::string& platform) {
    return "CorvendWalletiOS/" + version + " (" + platform + "; Mobile)";
}

}  // namespace

WalletEnvironmentProvider::WalletEnvironmentProvider(const std::optional<InfoDictionary>& info)
    : version_(versionFrom(info)),
      userAgent_(makeUserAgent(version_, kDefaultPlatform)),
      platform_(std::string(kDefaultPlatform)) {}

std::shared_ptr<WalletEnvironmentProvider> WalletEnvironmentProvider::make(
    const std::optional<InfoDictionary>& info) {
    return std::make_shared<WalletEnvironmentProvider>(info);
}

std::string WalletEnvironmentProvider::platform() const {
    return platform_.withValue([](const std::string& value) { return value; });
}

std::string WalletEnvironmentProvider::userAgent() const {
    return userAgent_.withValue([](const std::string& value) { return value; });
}

std::map<std::string, std::string> WalletEnvironmentProvider::headers() const {
    return {
        {"Corvend-Wallet-Version", "iOS-" + version_},
        {"Corvend-Wallet-Platform", platform()},
        {"User-Agent", userAgent()},
    };
}

void WalletEnvironmentProvider::configure(const platform::DeviceInfo& device) {
    const auto platform = device.systemName + " " + device.systemVersion;
    platform_.withValue([&](std::string& value) { value = platform; });
    const auto userAgent = makeUserAgent(version_, platform);
    userAgent_.withValue([&](std::string& value) { value = userAgent; });
}

}  // namespace corvend
