#include "CorvendWallet/setup/ProfilingDeviceFingerprintProvider.hpp"

#include <gtest/gtest.h>

#include <any>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/foundation/DispatchQueue.hpp"
#include "CorvendWallet/setup/DeviceFingerprintProviderError.hpp"
#include "platform/async/CancellationError.hpp"
#include "platform/async/CancellationToken.hpp"
#include "platform/async/Task.hpp"
#include "platform/profiling/DeviceProfiling.hpp"
#include "platform/profiling/DeviceProfilingConnections.hpp"
#include "tests/support/CountingOperation.hpp"

namespace corvend {
namespace {

using namespace std::chrono_literals;
using platform::CancellationError;
using platform::Date;
using platform::DeviceProfiling;
using Dictionary = DeviceProfilingWrapper::Dictionary;

// Generous: only reached when the behaviour under test is broken.
constexpr auto kDeadline = 10s;
const Date kStart = Date::fromUnixSeconds(1'700'000'000.0);

Dictionary result(std::string sessionID, std::any status) {
    return {{DeviceProfiling::kSessionIDKey, std::move(sessionID)},
            {DeviceProfiling::kProfileStatusKey, std::move(status)}};
}

// A real serial queue that also records the work items submitted to it.
class RecordingQueue final : public DispatchQueueProtocol {
  public:
    using DispatchQueueProtocol::async;
    void async(const std::shared_ptr<platform::DispatchGroup>& group, platform::DispatchQoS qos,
               platform::DispatchWorkItemFlags flags, std::function<void()> block) override {
        inner_->async(group, qos, flags, std::move(block));
    }
    void async(std::shared_ptr<platform::WorkItem> item) override {
        {
            std::lock_guard lock(mutex_);
            items_.push_back(item);
        }
        submitted_.notify_all();
        inner_->async(std::move(item));
    }

    std::vector<std::shared_ptr<platform::WorkItem>> items() const {
        std::lock_guard lock(mutex_);
        return items_;
    }
    bool waitForItems(std::size_t count) {
        std::unique_lock lock(mutex_);
        return submitted_.wait_for(lock, kDeadline, [&] { return items_.size() >= count; });
    }
    // Returns once everything submitted so far has run.
    void drain() {
        inner_->queue()->sync([] {});
    }

  private:
    std::shared_ptr<DispatchQueue> inner_ = DispatchQueue::make("fingerprint-test");
    mutable std::mutex mutex_;
    std::condition_variable submitted_;
    std::vector<std::shared_ptr<platform::WorkItem>> items_;
};

// The profiler's stand-in: answers runs from a script, inline, or keeps them for the test.
class FakeProfiling final : public DeviceProfilingWrapper {
  public:
    struct Run {
        Callback report;  // reports the run's result from the calling thread
        std::shared_ptr<testing::CountingOperation> handle;
    };
    // Set before the runs they concern start.
    std::function<void()> onProfile;    // inside profileDevice, before its handle is returned
    std::function<void()> onRunCancel;  // inside a run handle's cancel()

    void configure(const Dictionary& options) override {
        std::lock_guard lock(mutex_);
        configurations_.push_back(options);
    }

    std::shared_ptr<WalletOperationHandle> profileDevice(Callback callback) override {
        auto handle = std::make_shared<testing::CountingOperation>([this] {
            if (onRunCancel) onRunCancel();
        });
        std::optional<std::optional<Dictionary>> answer;
        {
            std::lock_guard lock(mutex_);
            runs_.push_back({callback, handle});
            if (!script_.empty()) {
                answer = std::move(script_.front());
                script_.pop_front();
            }
        }
        started_.notify_all();
        if (onProfile) onProfile();
        if (answer) callback(std::move(*answer));
        return handle;
    }

    void script(std::optional<Dictionary> answer) {
        std::lock_guard lock(mutex_);
        script_.push_back(std::move(answer));
    }
    bool waitForRuns(std::size_t count) {
        std::unique_lock lock(mutex_);
        return started_.wait_for(lock, kDeadline, [&] { return runs_.size() >= count; });
    }
    Run run(std::size_t index) const {
        std::lock_guard lock(mutex_);
        return runs_.at(index);
    }
    std::size_t runCount() const {
        std::lock_guard lock(mutex_);
        return runs_.size();
    }
    std::vector<Dictionary> configurations() const {
        std::lock_guard lock(mutex_);
        return configurations_;
    }

  private:
    mutable std::mutex mutex_;
    std::condition_variable started_;
    std::vector<Run> runs_;
    std::deque<std::optional<Dictionary>> script_;
    std::vector<Dictionary> configurations_;
};

class FingerprintProviderTest : public ::testing::Test {
  protected:
    using Elapsed = std::atomic<std::chrono::microseconds>;
    std::shared_ptr<Elapsed> elapsed = std::make_shared<Elapsed>(0us);
    std::shared_ptr<FakeProfiling> profiling = std::make_shared<FakeProfiling>();
    std::shared_ptr<RecordingQueue> queue = std::make_shared<RecordingQueue>();
    std::shared_ptr<ProfilingDeviceFingerprintProvider> provider =
        ProfilingDeviceFingerprintProvider::make(
            queue, [fake = profiling] { return fake; },
            [time = elapsed] { return Date(kStart.timePoint() + time->load()); });

    void advance(std::chrono::microseconds by) { *elapsed = elapsed->load() + by; }

    platform::Task<std::string> fingerprintInTask() {
        return platform::Task<std::string>::detached(
            [instance = provider] { return instance->fingerprint(); });
    }
};

TEST_F(FingerprintProviderTest, CachedValueIsReusedUntilTakenPlusTheLatestExpiryIsEarlier) {
    profiling->script(result("A", 1));
    ASSERT_EQ(provider->fingerprint(), "A");
    advance(24h * 365);
    EXPECT_EQ(provider->fingerprint(), "A");  // before any configuration: no expiry

    provider->configure({"org", "host", 5.0});  // applies to the value cached a year ago
    profiling->script(result("B", 1));
    ASSERT_EQ(provider->fingerprint(), "B");
    advance(5s);
    EXPECT_EQ(provider->fingerprint(), "B");  // exactly at taken + expiry
    advance(1us);
    profiling->script(result("C", 1));
    EXPECT_EQ(provider->fingerprint(), "C");

    advance(1500ms);
    provider->configure({"org", "host", 1.5});  // counted from when C was taken
    EXPECT_EQ(provider->fingerprint(), "C");
    provider->configure({"org", "host", 1.0});
    profiling->script(result("D", 1));
    EXPECT_EQ(provider->fingerprint(), "D");

    provider->configure({"org", "host", std::nullopt});  // no expiry again: never expires
    advance(24h * 365);
    EXPECT_EQ(provider->fingerprint(), "D");

    provider->configure({"org", "host", -1.0});  // negative: never reused, not even at once
    profiling->script(result("E", 1));
    profiling->script(result("F", 1));
    EXPECT_EQ(provider->fingerprint(), "E");
    EXPECT_EQ(provider->fingerprint(), "F");
    EXPECT_EQ(profiling->runCount(), 6U);
}

TEST_F(FingerprintProviderTest, OnlyASessionIDIsAFingerprintAndOnlyStatusOKIsCached) {
    struct Row {
        std::optional<Dictionary> answer;
        std::optional<std::string> fingerprint;  // absent: DeviceFingerprintProviderError
    };
    const Row rows[] = {
        {result("A", 2), "A"},
        {result("B", std::string("1")), "B"},
        {Dictionary{{DeviceProfiling::kProfileStatusKey, 1}}, std::nullopt},
        {std::nullopt, std::nullopt},
    };
    for (const auto& row : rows) {
        profiling->script(row.answer);
        if (row.fingerprint) {
            EXPECT_EQ(provider->fingerprint(), *row.fingerprint);
        } else {
            EXPECT_THROW(provider->fingerprint(), DeviceFingerprintProviderError);
        }
    }
    EXPECT_EQ(profiling->runCount(), std::size(rows));  // nothing was cached
}

// Also shows the profiler is fetched first on the worker queue: fetched later, it would miss them.
TEST_F(FingerprintProviderTest, ConfigureHandsTheProfilerExactlyThreeOptionsEachTime) {
    provider->configure({"org-1", "screen-1", std::nullopt});
    provider->configure({"org-2", "screen-2", 30.0});
    queue->drain();

    const auto configurations = profiling->configurations();
    ASSERT_EQ(configurations.size(), 2U);
    const auto& options = configurations[1];
    EXPECT_EQ(options.size(), 3U);
    EXPECT_EQ(std::any_cast<std::string>(options.at(DeviceProfiling::kOrganizationIDKey)), "org-2");
    EXPECT_EQ(std::any_cast<std::string>(options.at(DeviceProfiling::kFingerprintServerKey)),
              "screen-2");
    using Connections = std::shared_ptr<const platform::DeviceProfilingConnections>;
    const auto connections =
        std::any_cast<Connections>(options.at(DeviceProfiling::kConnectionsKey));
    EXPECT_EQ(connections->connectionRetryCount(), 3);
    EXPECT_DOUBLE_EQ(connections->connectionTimeout(), 5.0);
}

TEST(FingerprintProviderWithoutProfilerTest, EveryUncachedCallFails) {
    auto provider = ProfilingDeviceFingerprintProvider::make(
        DispatchQueue::make("no-profiler"),
        [] { return std::shared_ptr<DeviceProfilingWrapper>(); });
    provider->configure({"org", "host", 5.0});
    EXPECT_THROW(provider->fingerprint(), DeviceFingerprintProviderError);
    EXPECT_THROW(provider->fingerprint(), DeviceFingerprintProviderError);
}

TEST_F(FingerprintProviderTest, ConcurrentCallsEachRunAndTheLaterOKResultIsCached) {
    auto first = fingerprintInTask();
    ASSERT_TRUE(profiling->waitForRuns(1));
    auto second = fingerprintInTask();
    ASSERT_TRUE(profiling->waitForRuns(2));

    profiling->run(1).report(result("B", 1));
    EXPECT_EQ(second.value(), "B");
    profiling->run(0).report(result("A", 1));
    EXPECT_EQ(first.value(), "A");

    EXPECT_EQ(provider->fingerprint(), "A");
    EXPECT_EQ(profiling->runCount(), 2U);
}

TEST_F(FingerprintProviderTest, AlreadyCancelledCallerGetsCancellationAndQueuesNothing) {
    platform::CancellationSource source;
    source.cancel();
    {
        platform::CancellationScope scope(source.token());
        EXPECT_THROW(provider->fingerprint(), CancellationError);
    }
    queue->drain();
    EXPECT_TRUE(queue->items().empty());
    EXPECT_EQ(profiling->runCount(), 0U);

    profiling->script(result("A", 1));
    ASSERT_EQ(provider->fingerprint(), "A");
    platform::CancellationScope scope(source.token());
    EXPECT_EQ(provider->fingerprint(), "A");  // a valid cached value needs no wait
}

TEST_F(FingerprintProviderTest, CancelDuringASilentRunCancelsTheQueuedWorkThenTheRun) {
    std::optional<bool> itemCancelledBeforeRun;
    profiling->onRunCancel = [&] { itemCancelledBeforeRun = queue->items().at(0)->isCancelled(); };
    auto task = fingerprintInTask();
    ASSERT_TRUE(profiling->waitForRuns(1));
    queue->drain();  // the run's handle has been handed over

    task.cancel();
    EXPECT_THROW(task.value(), CancellationError);
    EXPECT_EQ(profiling->run(0).handle->cancels.load(), 1);
    EXPECT_EQ(itemCancelledBeforeRun, std::optional<bool>(true));

    // A report after the wait ended reaches no caller, yet an OK one still fills the cache.
    profiling->run(0).report(result("late", 1));
    EXPECT_EQ(provider->fingerprint(), "late");
    EXPECT_EQ(profiling->runCount(), 1U);
}

TEST_F(FingerprintProviderTest, CancelWhileQueuedKeepsTheRunFromStarting) {
    std::promise<void> gate;  // holds the queue until set
    queue->async([opened = gate.get_future().share()] { opened.wait(); });
    auto task = fingerprintInTask();
    ASSERT_TRUE(queue->waitForItems(1));
    task.cancel();
    EXPECT_THROW(task.value(), CancellationError);

    gate.set_value();
    queue->drain();
    EXPECT_EQ(profiling->runCount(), 0U);
    EXPECT_TRUE(queue->items().at(0)->isCancelled());
}

TEST_F(FingerprintProviderTest, CancelLandingWhileTheRunStartsStillCancelsTheRun) {
    std::promise<void> started;
    std::promise<void> resume;
    profiling->onProfile = [&, resumed = resume.get_future().share()] {
        started.set_value();
        resumed.wait();
    };
    auto task = fingerprintInTask();
    // Inside the profiler's start: its handle is not out yet.
    ASSERT_EQ(started.get_future().wait_for(kDeadline), std::future_status::ready);

    task.cancel();
    EXPECT_THROW(task.value(), CancellationError);
    resume.set_value();
    queue->drain();
    EXPECT_EQ(profiling->run(0).handle->cancels.load(), 1);
}

}  // namespace
}  // namespace corvend
