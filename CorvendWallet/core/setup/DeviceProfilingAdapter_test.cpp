#include "CorvendWallet/core/setup/DeviceProfilingAdapter.hpp"

#include <gtest/gtest.h>

#include <any>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "CorvendWallet/core/foundation/WalletOperationPropagatesCancellation.hpp"

namespace corvend {
namespace {

using platform::DeviceProfiling;

TEST(DeviceProfilingAdapterTest, PassesOptionsAndResultsThroughUnchanged) {
    std::vector<std::function<void()>> jobs;
    auto profiling =
        DeviceProfiling::make([&](std::function<void()> job) { jobs.push_back(std::move(job)); });
    DeviceProfilingAdapter adapter(profiling);

    adapter.configure({{DeviceProfiling::kOrganizationIDKey, std::string("org")}});
    const auto options = profiling->options();
    ASSERT_TRUE(options.has_value());
    EXPECT_EQ(std::any_cast<std::string>(options->at(DeviceProfiling::kOrganizationIDKey)), "org");

    std::optional<DeviceProfilingWrapper::Dictionary> received;
    auto handle = adapter.profileDevice([&](auto result) { received = std::move(result); });
    ASSERT_EQ(jobs.size(), 1U);
    jobs[0]();
    ASSERT_TRUE(received.has_value());
    EXPECT_EQ(std::any_cast<std::string>(received->at(DeviceProfiling::kSessionIDKey)).size(), 32U);
    EXPECT_EQ(std::any_cast<int>(received->at(DeviceProfiling::kProfileStatusKey)),
              DeviceProfiling::kStatusOK);
}

TEST(DeviceProfilingAdapterTest, HandleCancelsTheRunWithoutEndingAnyWaitItself) {
    std::vector<std::function<void()>> jobs;
    DeviceProfilingAdapter adapter(
        DeviceProfiling::make([&](std::function<void()> job) { jobs.push_back(std::move(job)); }));
    int reports = 0;
    auto handle = adapter.profileDevice([&](auto) { ++reports; });
    EXPECT_FALSE(propagatesCancellation(handle));
    handle->cancel();
    for (auto& job : jobs) job();
    EXPECT_EQ(reports, 0);
}

TEST(DeviceProfilingAdapterTest, SharedWrapsTheProcessWideProfilerAndNullIsRefused) {
    EXPECT_NE(DeviceProfilingAdapter::shared(), nullptr);
    EXPECT_THROW(DeviceProfilingAdapter(nullptr), std::invalid_argument);
}

}  // namespace
}  // namespace corvend
