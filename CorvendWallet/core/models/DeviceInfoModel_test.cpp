#include "CorvendWallet/core/models/DeviceInfoModel.hpp"

#include <gtest/gtest.h>

#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using testing::encodedJSON;

TEST(DeviceInfoModelTest, WritesTheFingerprintOnlyWhenThere) {
    EXPECT_EQ(encodedJSON(DeviceInfoModel::mobileApp("f-1")),
              R"({"deviceSessionId":"f-1","appType":"MOBILE_APP"})");
    EXPECT_EQ(encodedJSON(DeviceInfoModel::mobileApp(std::nullopt)), R"({"appType":"MOBILE_APP"})");
}

}  // namespace
}  // namespace corvend
