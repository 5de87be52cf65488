#include "CorvendWallet/setup/DeviceProfilingAdapter.hpp"

#include <gtest/gtest.h>

#include <any>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/foundation/WalletOperationPropagatesCancellation.hpp"

namespace corvend {
namespace {

using platform::DeviceProfiling;

// A profiler whose reports wait in `jobs` until the test runs them.
struct HeldProfiler {
    std::vector<std::function<void()>> jobs;
    std::shared_ptr<DeviceProfiling> profiling = DeviceProfiling::make(
        [this](std::function<void()> job) { jobs.push_back(std::move(job)); });
    DeviceProfilingAdapter adapter{profiling};
};

TEST(DeviceProfilingAdapterTest, PassesOptionsAndResultsThroughUnchanged) {
    HeldProfiler held;
    held.adapter.configure({{DeviceProfiling::kOrganizationIDKey, std::string("org")}});
    const auto options = held.profiling->options();
    ASSERT_TRUE(options.has_value());
    EXPECT_EQ(std::any_cast<std::string>(options->at(DeviceProfiling::kOrganizationIDKey)), "org");

    std::optional<DeviceProfilingWrapper::Dictionary> received;
    auto handle = held.adapter.profileDevice([&](auto result) { received = std::move(result); });
    ASSERT_EQ(held.jobs.size(), 1U);
    held.jobs[0]();
    ASSERT_TRUE(received.has_value());
    EXPECT_EQ(std::any_cast<int>(received->at(DeviceProfiling::kProfileStatusKey)),
              DeviceProfiling::kStatusOK);
}

TEST(DeviceProfilingAdapterTest, HandleCancelsTheRunWithoutEndingAnyWaitItself) {
    HeldProfiler held;
    int reports = 0;
    auto handle = held.adapter.profileDevice([&](auto) { ++reports; });
    EXPECT_FALSE(propagatesCancellation(handle));
    handle->cancel();
    for (auto& job : held.jobs) job();
    EXPECT_EQ(reports, 0);
}

}  // namespace
}  // namespace corvend
