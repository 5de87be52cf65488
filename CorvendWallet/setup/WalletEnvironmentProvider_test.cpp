#include "CorvendWallet/setup/WalletEnvironmentProvider.hpp"

#include <gtest/gtest.h>

#include <any>
#include <optional>
#include <string>

namespace corvend {
namespace {

using Info = WalletEnvironmentProvider::InfoDictionary;

// The headers of a configured provider, as sent: the integration WalletConfigure_test.
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
        EXPECT_EQ(WalletEnvironmentProvider(row.info).version(), row.version);
    }
}

}  // namespace
}  // namespace corvend
