#include "platform/profiling/DeviceProfiling.hpp"

#include <gtest/gtest.h>

#include <any>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/profiling/DeviceProfilingConnections.hpp"

namespace corvend::platform {
namespace {

// Holds reports until the test runs them.
class ManualExecutor {
  public:
    DeviceProfiling::Executor executor() {
        return [this](std::function<void()> job) {
            std::lock_guard lock(mutex_);
            jobs_.push_back(std::move(job));
        };
    }
    void runAll() {
        std::vector<std::function<void()>> jobs;
        {
            std::lock_guard lock(mutex_);
            jobs.swap(jobs_);
        }
        for (auto& job : jobs) job();
    }

  private:
    std::mutex mutex_;
    std::vector<std::function<void()>> jobs_;
};

struct Report {
    std::thread::id thread;
    std::optional<DeviceProfiling::Dictionary> result;
};

bool isLowerHex(const std::string& text) {
    return text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

TEST(DeviceProfilingTest, ReportsARandomSessionWithStatusOKOnAnotherThread) {
    auto profiling = DeviceProfiling::make();
    std::vector<std::string> ids;
    for (int run = 0; run < 2; ++run) {
        std::promise<Report> reported;
        profiling->profileDevice([&](std::optional<DeviceProfiling::Dictionary> result) {
            reported.set_value({std::this_thread::get_id(), std::move(result)});
        });
        const auto report = reported.get_future().get();
        EXPECT_NE(report.thread, std::this_thread::get_id());
        ASSERT_TRUE(report.result.has_value());
        const auto& result = *report.result;
        EXPECT_EQ(result.size(), 2U);
        const auto* id = std::any_cast<std::string>(&result.at(DeviceProfiling::kSessionIDKey));
        ASSERT_NE(id, nullptr);
        EXPECT_EQ(id->size(), 32U);
        EXPECT_TRUE(isLowerHex(*id)) << *id;
        const auto* status = std::any_cast<int>(&result.at(DeviceProfiling::kProfileStatusKey));
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(*status, DeviceProfiling::kStatusOK);
        ids.push_back(*id);
    }
    EXPECT_NE(ids[0], ids[1]);
}

TEST(DeviceProfilingTest, NeverReportsInsideTheStartingCall) {
    ManualExecutor executor;
    auto profiling = DeviceProfiling::make(executor.executor());
    int reports = 0;
    profiling->profileDevice([&](auto) { ++reports; });
    EXPECT_EQ(reports, 0);
    executor.runAll();
    EXPECT_EQ(reports, 1);
}

TEST(DeviceProfilingTest, CancelBeforeDeliveryDropsTheReport) {
    ManualExecutor executor;
    auto profiling = DeviceProfiling::make(executor.executor());
    int cancelledReports = 0;
    int keptReports = 0;
    auto cancelled = profiling->profileDevice([&](auto) { ++cancelledReports; });
    auto kept = profiling->profileDevice([&](auto) { ++keptReports; });
    cancelled->cancel();
    cancelled->cancel();
    executor.runAll();
    EXPECT_EQ(cancelledReports, 0);
    EXPECT_EQ(keptReports, 1);
    EXPECT_TRUE(cancelled->isCancelled());

    kept->cancel();  // after delivery: nothing left to cancel
    EXPECT_FALSE(kept->isCancelled());
}

TEST(DeviceProfilingTest, ConfigureReplacesTheOptions) {
    auto profiling = DeviceProfiling::make();
    EXPECT_FALSE(profiling->options().has_value());

    auto connections = std::make_shared<DeviceProfilingConnections>();
    connections->setConnectionRetryCount(3);
    profiling->configure({{DeviceProfiling::kOrganizationIDKey, std::string("org-1")},
                          {DeviceProfiling::kConnectionsKey,
                           std::shared_ptr<const DeviceProfilingConnections>(connections)}});
    profiling->configure({{DeviceProfiling::kOrganizationIDKey, std::string("org-2")}});

    const auto options = profiling->options();
    ASSERT_TRUE(options.has_value());
    ASSERT_EQ(options->size(), 1U);
    EXPECT_EQ(std::any_cast<std::string>(options->at(DeviceProfiling::kOrganizationIDKey)),
              "org-2");
}

}  // namespace
}  // namespace corvend::platform
