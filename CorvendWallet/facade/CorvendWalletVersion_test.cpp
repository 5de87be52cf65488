#include "CorvendWallet/facade/CorvendWalletVersion.hpp"

#include <gtest/gtest.h>

#include <string>

#include "CorvendWallet/facade/Wallet.hpp"

namespace corvend {
namespace {

// The macros, the exported symbols and the facade tell one version.
TEST(CorvendWalletVersionTest, MacrosSymbolsAndFacadeAgree) {
    const std::string major = std::to_string(CORVEND_WALLET_VERSION_MAJOR);
    const std::string minor = std::to_string(CORVEND_WALLET_VERSION_MINOR);
    const std::string version =
        major + "." + minor + "." + std::to_string(CORVEND_WALLET_VERSION_PATCH);
    EXPECT_EQ(version, CORVEND_WALLET_VERSION_STRING);
    EXPECT_EQ(version, reinterpret_cast<const char*>(CorvendWalletVersionString));
    EXPECT_DOUBLE_EQ(CorvendWalletVersionNumber, std::stod(major + "." + minor));
    EXPECT_EQ(Wallet::instance().version(), version);
}

}  // namespace
}  // namespace corvend
