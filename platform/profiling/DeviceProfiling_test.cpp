#include "platform/profiling/DeviceProfiling.hpp"

#include <gtest/gtest.h>

#include <any>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace corvend::platform {
namespace {

// Report contents beyond the session identifier: DeviceProfilingAdapter_test.
TEST(DeviceProfilingTest, ReportsAFreshLowerHexSessionOnAnotherThread) {
    auto profiling = DeviceProfiling::make();
    std::vector<std::string> ids;
    for (int run = 0; run < 2; ++run) {
        std::promise<std::optional<DeviceProfiling::Dictionary>> reported;
        std::thread::id reporter;
        profiling->profileDevice([&](auto result) {
            reporter = std::this_thread::get_id();
            reported.set_value(std::move(result));
        });
        const auto result = reported.get_future().get();
        EXPECT_NE(reporter, std::this_thread::get_id());
        ASSERT_TRUE(result.has_value());
        ids.push_back(std::any_cast<std::string>(result->at(DeviceProfiling::kSessionIDKey)));
    }
    EXPECT_NE(ids[0], ids[1]);
    for (const auto& id : ids) {
        EXPECT_EQ(id.size(), 32U);
        EXPECT_EQ(id.find_first_not_of("0123456789abcdef"), std::string::npos) << id;
    }
}

TEST(DeviceProfilingTest, ReportsOnlyThroughTheExecutorAndCancelBeforeDeliveryDropsIt) {
    std::vector<std::function<void()>> jobs;
    auto profiling =
        DeviceProfiling::make([&](std::function<void()> job) { jobs.push_back(std::move(job)); });
    int cancelledReports = 0;
    int keptReports = 0;
    auto cancelled = profiling->profileDevice([&](auto) { ++cancelledReports; });
    auto kept = profiling->profileDevice([&](auto) { ++keptReports; });
    EXPECT_EQ(keptReports, 0);  // never inside the starting call
    cancelled->cancel();
    cancelled->cancel();
    for (auto& job : jobs) job();
    EXPECT_EQ(cancelledReports, 0);
    EXPECT_EQ(keptReports, 1);
    EXPECT_TRUE(cancelled->isCancelled());

    kept->cancel();  // after delivery: nothing left to cancel
    EXPECT_FALSE(kept->isCancelled());
}

TEST(DeviceProfilingTest, ConfigureReplacesTheOptions) {
    auto profiling = DeviceProfiling::make();
    EXPECT_FALSE(profiling->options().has_value());
    profiling->configure({{DeviceProfiling::kOrganizationIDKey, std::string("org-1")},
                          {DeviceProfiling::kFingerprintServerKey, std::string("server")}});
    profiling->configure({{DeviceProfiling::kOrganizationIDKey, std::string("org-2")}});
    const auto options = profiling->options();
    ASSERT_TRUE(options.has_value());
    ASSERT_EQ(options->size(), 1U);
    EXPECT_EQ(std::any_cast<std::string>(options->at(DeviceProfiling::kOrganizationIDKey)),
              "org-2");
}

}  // namespace
}  // namespace corvend::platform
