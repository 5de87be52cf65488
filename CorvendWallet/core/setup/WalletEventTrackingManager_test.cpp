#include "CorvendWallet/core/setup/WalletEventTrackingManager.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <stdexcept>
#include <thread>

#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "tests/support/FakeNetwork.hpp"

namespace corvend {
namespace {

using namespace std::chrono_literals;
using testing::FakeNetwork;

// Generous: only reached when the behaviour under test is broken.
constexpr auto kDeadline = 10s;

class FakeEnvironment : public EnvironmentPropertiesProvider {
  public:
    bool fails = false;

    std::string version() const override { return "1.2.3"; }
    std::string platform() const override { return "iOS 17.2"; }
    std::string userAgent() const override {
        if (fails) throw std::runtime_error("no user agent");
        return "CorvendWalletiOS/1.2.3 (iOS 17.2; Mobile)";
    }
    std::map<std::string, std::string> headers() const override { return {}; }
};

// Keeps the jobs so that a test runs them when it chooses.
struct HeldJobs {
    std::shared_ptr<std::vector<WalletEventTrackingManager::Operation>> jobs =
        std::make_shared<std::vector<WalletEventTrackingManager::Operation>>();

    WalletEventTrackingManager::OperationRunner runner() const {
        return [jobs = jobs](WalletEventTrackingManager::Operation job) {
            jobs->push_back(std::move(job));
        };
    }
};

ErrorEvent sampleEvent() {
    using namespace std::chrono;
    return ErrorEvent{
        .eventID = "corr-7",
        .eventName = ErrorEvent::Name::decodingError,
        .timestamp = platform::Date(sys_days{2024y / March / 5} + 10h + 9min + 750ms),
        .httpDetails = ErrorEvent::HttpDetails{"digitalwallets/v1/profile", "GET"},
        .parameters = std::vector<ErrorEvent::Parameter>{{"message", "No response data"}},
    };
}

const std::string kSampleBody =
    R"({"eventId":"corr-7","eventName":"DECODING_ERROR","timestamp":"2024-03-05T10:09:00Z",)"
    R"j("walletMetadata":{"userAgent":"CorvendWalletiOS/1.2.3 (iOS 17.2; Mobile)",)j"
    R"("walletVersion":"iOS-1.2.3","walletPlatform":"iOS 17.2"},)"
    R"("httpDetails":{"url":"digitalwallets/v1/profile","method":"GET"},)"
    R"("parameters":[{"key":"message","value":"No response data"}]})";

TEST(WalletEventTrackingManagerTest, TrackHandsThePostToTheRunnerAndReturns) {
    auto network = std::make_shared<FakeNetwork>();
    HeldJobs held;
    WalletEventTrackingManager manager(network, std::make_shared<FakeEnvironment>(), held.runner());

    manager.track(sampleEvent());
    ASSERT_EQ(held.jobs->size(), 1u);
    EXPECT_TRUE(network->sent().empty());  // nothing is sent before the runner runs the job

    held.jobs->front()();
    const auto sent = network->only();
    EXPECT_EQ(sent.method, "POST");
    EXPECT_EQ(sent.path, "digitalwallets/v1/events-tracking/errors");
    EXPECT_EQ(sent.contentType, "application/json");
    EXPECT_EQ(sent.body, kSampleBody);

    // Absent values are left out, never null; an empty list stays a list.
    ErrorEvent bare = sampleEvent();
    bare.eventID.reset();
    bare.httpDetails.reset();
    bare.parameters.emplace();
    manager.track(bare);
    held.jobs->back()();
    EXPECT_EQ(network->sent().back().body,
              R"({"eventName":"DECODING_ERROR","timestamp":"2024-03-05T10:09:00Z",)"
              R"j("walletMetadata":{"userAgent":"CorvendWalletiOS/1.2.3 (iOS 17.2; Mobile)",)j"
              R"("walletVersion":"iOS-1.2.3","walletPlatform":"iOS 17.2"},"parameters":[]})");
}

TEST(WalletEventTrackingManagerTest, FailedPostsAreDroppedWithoutRetry) {
    const FakeNetwork::Reply failures[] = {
        {.failure = [] { throw model::WalletError::notConfigured(); }},
        {.failure = [] { throw 42; }},
        {.status = 500},
    };
    for (const auto& failure : failures) {
        auto network = std::make_shared<FakeNetwork>(failure);
        HeldJobs held;
        WalletEventTrackingManager manager(network, std::make_shared<FakeEnvironment>(),
                                           held.runner());
        manager.track(sampleEvent());
        ASSERT_EQ(held.jobs->size(), 1u);
        EXPECT_NO_THROW(held.jobs->front()());
        EXPECT_EQ(network->sent().size(), 1u);
    }
}

TEST(WalletEventTrackingManagerTest, TrackNeverThrows) {
    auto network = std::make_shared<FakeNetwork>();
    auto failingEnvironment = std::make_shared<FakeEnvironment>();
    failingEnvironment->fails = true;
    HeldJobs held;
    WalletEventTrackingManager withFailingEnvironment(network, failingEnvironment, held.runner());
    EXPECT_NO_THROW(withFailingEnvironment.track(sampleEvent()));
    EXPECT_TRUE(held.jobs->empty());

    bool runnerCalled = false;
    WalletEventTrackingManager withFailingRunner(
        network, std::make_shared<FakeEnvironment>(),
        [&runnerCalled](WalletEventTrackingManager::Operation) {
            runnerCalled = true;
            throw std::system_error(
                std::make_error_code(std::errc::resource_unavailable_try_again));
        });
    EXPECT_NO_THROW(withFailingRunner.track(sampleEvent()));
    EXPECT_TRUE(runnerCalled);
    EXPECT_TRUE(network->sent().empty());
}

TEST(WalletEventTrackingManagerTest, JobKeepsTheNetworkManagerAlive) {
    auto network = std::make_shared<FakeNetwork>();
    const std::weak_ptr<FakeNetwork> weakNetwork = network;
    HeldJobs held;
    WalletEventTrackingManager(std::move(network), std::make_shared<FakeEnvironment>(),
                               held.runner())
        .track(sampleEvent());
    ASSERT_FALSE(weakNetwork.expired());
    held.jobs->front()();
    EXPECT_EQ(weakNetwork.lock()->sent().size(), 1u);
    held.jobs->clear();
    EXPECT_TRUE(weakNetwork.expired());
}

TEST(WalletEventTrackingManagerTest, DefaultRunnerPostsOnAnotherThreadWithoutWaiting) {
    std::promise<void> trackReturned;
    auto released = std::make_shared<std::shared_future<void>>(trackReturned.get_future().share());
    auto network = std::make_shared<FakeNetwork>(FakeNetwork::Reply{.failure = [released] {
        // Held until track() has returned: a runner that posted inline would wait out the
        // deadline here, on the test's thread.
        if (released->wait_for(kDeadline) != std::future_status::ready) throw 0;
    }});
    WalletEventTrackingManager manager(network, std::make_shared<FakeEnvironment>());

    manager.track(sampleEvent());
    trackReturned.set_value();
    ASSERT_TRUE(network->waitForSent(1, kDeadline));
    const auto sent = network->only();
    EXPECT_NE(sent.thread, std::this_thread::get_id());
    EXPECT_EQ(sent.body, kSampleBody);
}

}  // namespace
}  // namespace corvend
