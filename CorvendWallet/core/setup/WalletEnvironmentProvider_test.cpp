#include "CorvendWallet/core/setup/WalletEnvironmentProvider.hpp"

#include <gtest/gtest.h>

#include <any>
#include <map>
#include <optional>
#include <ostream>
#include <string>

namespace corvend {
namespace {

using Info = WalletEnvironmentProvider::InfoDictionary;

struct VersionCase {
    const char* name;
    std::optional<Info> info;
    std::string expectedVersion;
};

void PrintTo(const VersionCase& param, std::ostream* out) {
    *out << param.name;
}

class WalletEnvironmentVersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(WalletEnvironmentVersionTest, VersionComesFromTheInfoDictionaryOrFallsBack) {
    const auto& param = GetParam();
    WalletEnvironmentProvider provider(param.info);
    EXPECT_EQ(provider.version(), param.expectedVersion);
    EXPECT_EQ(provider.headers().at("Corvend-Wallet-Version"), "iOS-" + param.expectedVersion);
    EXPECT_EQ(provider.platform(), "iOS");
    EXPECT_EQ(provider.userAgent(), "CorvendWalletiOS/" + param.expectedVersion + " (iOS; Mobile)");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WalletEnvironmentVersionTest,
    ::testing::Values(
        VersionCase{"NoDictionary", std::nullopt, "0.0.0"},
        VersionCase{"NoKey", Info{{"CFBundleVersion", std::string("42")}}, "0.0.0"},
        VersionCase{"NumberUnderKey", Info{{"CFBundleShortVersionString", 1.5}}, "0.0.0"},
        VersionCase{"NullTextUnderKey",
                    Info{{"CFBundleShortVersionString", static_cast<const char*>(nullptr)}},
                    "0.0.0"},
        VersionCase{"Text", Info{{"CFBundleShortVersionString", std::string("1.2.3")}}, "1.2.3"},
        VersionCase{"TextLiteral", Info{{"CFBundleShortVersionString", "4.5.6"}}, "4.5.6"}),
    [](const auto& info) { return std::string(info.param.name); });

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

    provider.configure({"Linux", "6.1.0"});  // a later set-up overwrites
    EXPECT_EQ(provider.platform(), "Linux 6.1.0");
    EXPECT_EQ(provider.userAgent(), "CorvendWalletiOS/1.2.3 (Linux 6.1.0; Mobile)");
    EXPECT_EQ(provider.version(), "1.2.3");
}

TEST(WalletEnvironmentProviderTest, HeadersHaveExactlyThreeEntriesWhateverTheValues) {
    WalletEnvironmentProvider provider(std::nullopt);
    EXPECT_EQ(provider.headers().size(), 3U);
    EXPECT_EQ(provider.headers().at("Corvend-Wallet-Platform"), "iOS");
    provider.configure({"", ""});
    const auto headers = provider.headers();
    EXPECT_EQ(headers.size(), 3U);
    EXPECT_EQ(headers.at("Corvend-Wallet-Platform"), " ");
    EXPECT_EQ(headers.at("User-Agent"), "CorvendWalletiOS/0.0.0 ( ; Mobile)");
}

}  // namespace
}  // namespace corvend
