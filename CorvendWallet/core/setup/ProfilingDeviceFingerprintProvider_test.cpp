#include "CorvendWallet/core/setup/ProfilingDeviceFingerprintProvider.hpp"

#include <gtest/gtest.h>

#include <any>
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

#include "CorvendWallet/core/foundation/DispatchQueue.hpp"
#include "CorvendWallet/core/setup/DeviceFingerprintProviderError.hpp"
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

Dictionary result(std::string sessionID, std::any status) {
    return {{DeviceProfiling::kSessionIDKey, std::move(sessionID)},
            {DeviceProfiling::kProfileStatusKey, std::move(status)}};
}

class TestClock {
  public:
    Date now() const {
        std::lock_guard lock(mutex_);
        return now_;
    }
    void advance(std::chrono::microseconds by) {
        std::lock_guard lock(mutex_);
        now_ = Date(now_.timePoint() + by);
    }

  private:
    mutable std::mutex mutex_;
    Date now_ = Date::fromUnixSeconds(1'700'000'000.0);
};

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
    void waitForItems(std::size_t count) {
        std::unique_lock lock(mutex_);
        submitted_.wait(lock, [&] { return items_.size() >= count; });
    }
    // Returns once everything submitted so far has run.
    void drain() {
        inner_->queue()->sync([] {});
    }
    // Holds the queue until the returned promise is set.
    std::promise<void> hold() {
        std::promise<void> gate;
        inner_->async([opened = gate.get_future().share()] { opened.wait(); });
        return gate;
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
    void configure(const Dictionary& options) override {
        std::lock_guard lock(mutex_);
        configurations_.push_back(options);
    }

    std::shared_ptr<WalletOperationHandle> profileDevice(Callback callback) override {
        std::optional<std::optional<Dictionary>> answer;
        std::function<void()> hook;
        auto handle = std::make_shared<testing::CountingOperation>([this] {
            std::function<void()> onCancel;
            {
                std::lock_guard lock(mutex_);
                onCancel = onRunCancel;
            }
            if (onCancel) onCancel();
        });
        {
            std::lock_guard lock(mutex_);
            runs_.push_back({callback, handle});
            if (!script_.empty()) {
                answer = std::move(script_.front());
                script_.pop_front();
            }
            hook = onProfile;
        }
        started_.notify_all();
        if (hook) hook();
        if (answer) callback(std::move(*answer));
        return handle;
    }

    void script(std::optional<Dictionary> answer) {
        std::lock_guard lock(mutex_);
        script_.push_back(std::move(answer));
    }
    void waitForRuns(std::size_t count) {
        std::unique_lock lock(mutex_);
        started_.wait(lock, [&] { return runs_.size() >= count; });
    }
    // Reports the result of run `index` (counted from 0) from the calling thread.
    void respond(std::size_t index, std::optional<Dictionary> answer) {
        Callback callback;
        {
            std::lock_guard lock(mutex_);
            callback = runs_.at(index).callback;
        }
        callback(std::move(answer));
    }
    std::size_t runCount() const {
        std::lock_guard lock(mutex_);
        return runs_.size();
    }
    int cancelsOfRun(std::size_t index) const {
        std::lock_guard lock(mutex_);
        return runs_.at(index).handle->cancels.load();
    }
    std::vector<Dictionary> configurations() const {
        std::lock_guard lock(mutex_);
        return configurations_;
    }
    // Set before the runs they concern start.
    std::function<void()> onProfile;    // inside profileDevice, before its handle is returned
    std::function<void()> onRunCancel;  // inside a run handle's cancel()

  private:
    struct Run {
        Callback callback;
        std::shared_ptr<testing::CountingOperation> handle;
    };
    mutable std::mutex mutex_;
    std::condition_variable started_;
    std::vector<Run> runs_;
    std::deque<std::optional<Dictionary>> script_;
    std::vector<Dictionary> configurations_;
};

class FingerprintProviderTest : public ::testing::Test {
  protected:
    std::shared_ptr<TestClock> clock = std::make_shared<TestClock>();
    std::shared_ptr<FakeProfiling> profiling = std::make_shared<FakeProfiling>();
    std::shared_ptr<RecordingQueue> queue = std::make_shared<RecordingQueue>();
    std::shared_ptr<ProfilingDeviceFingerprintProvider> provider =
        ProfilingDeviceFingerprintProvider::make(
            queue, [fake = profiling] { return fake; }, [time = clock] { return time->now(); });

    platform::Task<std::string> fingerprintInTask() {
        return platform::Task<std::string>::detached(
            [instance = provider] { return instance->fingerprint(); });
    }
};

TEST_F(FingerprintProviderTest, BeforeAnyConfigurationAnOKRunIsCachedWithoutExpiry) {
    profiling->script(result("A", 1));
    EXPECT_EQ(provider->fingerprint(), "A");
    clock->advance(24h * 365);
    EXPECT_EQ(provider->fingerprint(), "A");
    EXPECT_EQ(profiling->runCount(), 1U);
    queue->drain();
    EXPECT_TRUE(profiling->configurations().empty());

    // The first interval applies to the value cached a year ago.
    provider->configure({"org", "host", 10.0});
    profiling->script(result("B", 1));
    EXPECT_EQ(provider->fingerprint(), "B");
    EXPECT_EQ(profiling->runCount(), 2U);
}

TEST_F(FingerprintProviderTest, CachedValueIsReusedUntilTakenPlusTheLatestExpiryIsEarlier) {
    provider->configure({"org", "host", 5.0});
    profiling->script(result("A", 1));
    ASSERT_EQ(provider->fingerprint(), "A");
    clock->advance(5s);
    EXPECT_EQ(provider->fingerprint(), "A");  // exactly at taken + expiry
    clock->advance(1us);
    profiling->script(result("B", 1));
    EXPECT_EQ(provider->fingerprint(), "B");

    clock->advance(1500ms);
    provider->configure({"org", "host", 1.5});  // counted from when B was taken
    EXPECT_EQ(provider->fingerprint(), "B");
    provider->configure({"org", "host", 1.0});
    profiling->script(result("C", 1));
    EXPECT_EQ(provider->fingerprint(), "C");

    provider->configure({"org", "host", std::nullopt});  // no expiry: never expires
    clock->advance(24h * 365);
    EXPECT_EQ(provider->fingerprint(), "C");

    provider->configure({"org", "host", -1.0});  // negative: never reused, not even at once
    profiling->script(result("D", 1));
    profiling->script(result("E", 1));
    EXPECT_EQ(provider->fingerprint(), "D");
    EXPECT_EQ(provider->fingerprint(), "E");
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
    // A fresh connections object per configuration.
    EXPECT_NE(std::any_cast<Connections>(configurations[0].at(DeviceProfiling::kConnectionsKey)),
              connections);
}

TEST_F(FingerprintProviderTest, WorkerQueueFetchesFirstThenConfiguresBeforeTheNextRun) {
    std::size_t configuredBeforeTheRun = 0;
    profiling->onProfile = [&] { configuredBeforeTheRun = profiling->configurations().size(); };
    provider->configure({"org", "host", std::nullopt});
    profiling->script(result("A", 1));
    EXPECT_EQ(provider->fingerprint(), "A");
    EXPECT_EQ(configuredBeforeTheRun, 1U);  // none, had the profiler been fetched after it
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
    profiling->waitForRuns(1);
    auto second = fingerprintInTask();
    profiling->waitForRuns(2);

    profiling->respond(1, result("B", 1));
    EXPECT_EQ(second.value(), "B");
    profiling->respond(0, result("A", 1));
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
    profiling->waitForRuns(1);
    queue->drain();  // the run's handle has been handed over

    task.cancel();
    EXPECT_THROW(task.value(), CancellationError);
    EXPECT_EQ(profiling->cancelsOfRun(0), 1);
    EXPECT_EQ(itemCancelledBeforeRun, std::optional<bool>(true));

    // A report after the wait ended reaches no caller, yet an OK one still fills the cache.
    profiling->respond(0, result("late", 1));
    EXPECT_EQ(provider->fingerprint(), "late");
    EXPECT_EQ(profiling->runCount(), 1U);
}

TEST_F(FingerprintProviderTest, CancelWhileQueuedKeepsTheRunFromStarting) {
    auto gate = queue->hold();
    auto task = fingerprintInTask();
    queue->waitForItems(1);
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
    started.get_future().wait();  // inside the profiler's start: its handle is not out yet

    task.cancel();
    EXPECT_THROW(task.value(), CancellationError);
    resume.set_value();
    queue->drain();
    EXPECT_EQ(profiling->cancelsOfRun(0), 1);
}

}  // namespace
}  // namespace corvend
