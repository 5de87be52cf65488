#include "CorvendWallet/core/models/DeviceInfoModel.hpp"

#include <gtest/gtest.h>

#include <string>

#include "CorvendWallet/networking/SharedCoders.hpp"

namespace corvend {
namespace {

std::string encode(const DeviceInfoModel& device) {
    return std::string(sharedRequestEncoder().encode(device).view());
}

TEST(DeviceInfoModelTest, WritesTheFingerprintOnlyWhenThere) {
    EXPECT_EQ(encode(DeviceInfoModel::mobileApp("f-1")),
              R"({"deviceSessionId":"f-1","appType":"MOBILE_APP"})");
    EXPECT_EQ(encode(DeviceInfoModel::mobileApp(std::nullopt)), R"({"appType":"MOBILE_APP"})");
    EXPECT_EQ(encode(DeviceInfoModel::mobileApp("")),
              R"({"deviceSessionId":"","appType":"MOBILE_APP"})");
}

}  // namespace
}  // namespace corvend
