#include "platform/foundation/DeviceInfo.hpp"

#include <gtest/gtest.h>

namespace corvend::platform {
namespace {

TEST(DeviceInfoTest, CurrentDeviceHasANameAndAVersion) {
    const auto device = currentDevice();
    EXPECT_FALSE(device.systemName.empty());
    EXPECT_FALSE(device.systemVersion.empty());
    EXPECT_EQ(device.systemName.find('\0'), std::string::npos);
    EXPECT_EQ(currentDevice(), device);  // stable across calls
}

}  // namespace
}  // namespace corvend::platform
