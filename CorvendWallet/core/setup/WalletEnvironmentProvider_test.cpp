#include "CorvendWallet/core/setup/WalletEnvironmentProvider.hpp"

#include <gtest/gtest.h>

#include <any>
#include <map>
#include <optional>
#include <string>

namespace corvend {
namespace {

using Info = WalletEnvironmentProvider::InfoDictionary;

TEST(WalletEnvironmentProviderTest, VersionComesFromTheInfoDictionaryOrFallsBack) {
    constexpr const char* kKey = WalletEnvironmentProvider::kVersionKey;
    struct Row {
        std::optional<Info> info;
        std::string version;
    };
    const Row rows[] = {
        {std::nullopt, "0.0.0"},
        {Info{{"CFBundleVersion", std::string("42")}}, "0.0.0"},
        {Info{{kKey, 1.5}}, "0.0.0"},
        {Info{{kKey, static_cast<const char*>(nullptr)}}, "0.0.0"},
        {Info{{kKey, std::string("1.2.3")}}, "1.2.3"},
        {Info{{kKey, "4.5.6"}}, "4.5.6"},
    };
    for (const auto& row : rows) {
        const WalletEnvironmentProvider provider(row.info);
        EXPECT_EQ(provider.version(), row.version);
        EXPECT_EQ(provider.headers(),
                  (std::map<std::string, std::string>{
                      {"Corvend-Wallet-Version", "iOS-" + row.version},
                      {"Corvend-Wallet-Platform", "iOS"},
                      {"User-Agent", "CorvendWalletiOS/" + row.version + " (iOS; Mobile)"},
                  }));
    }
}

TEST(WalletEnvironmentProviderTest, ConfigureTakesTheDevicesNameAndVersion) {
    WalletEnvironmentProvider provider(Info{{"CFBundleShortVersionString", std::string("1.2.3")}});
    provider.configure({"iOS", "17.2"});
    EXPECT_EQ(provider.platform(), "iOS 17.2");
    EXPECT_EQ(provider.userAgent(), "CorvendWalletiOS/1.2.3 (iOS 17.2; Mobile)");
    EXPECT_EQ(provider.headers(), (std::map<std::string, std::string>{
                                      {"Corvend-Wallet-Version", "iOS-1.2.3"},
                                      {"Corvend-Wallet-Platform", "iOS 17.2"},
                                      {"User-Agent", "CorvendWalletiOS/1.2.3 (iOS 17.2; Mobile)"},
                                  }));
}

}  // namespace
}  // namespace corvend
