#include "CorvendWallet/setup/WalletEventTrackingManager.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <system_error>
#include <thread>

#include "tests/support/FakeNetwork.hpp"

namespace corvend {
namespace {

using namespace std::chrono_literals;
using testing::FakeNetwork;

// Generous: only reached when the behaviour under test is broken.
constexpr auto kDeadline = 10s;

class FakeEnvironment : public EnvironmentPropertiesProvider {
  public:
    std::string version() const override { return "1.2.3"; }
    std::string platform() const override { return "iOS 17.2"; }
    std::string userAgent() const override { return "CorvendWalletiOS/1.2.3 (iOS 17.2; Mobile)"; }
    std::map<std::string, std::string> headers() const override { return {}; }
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

class WalletEventTrackingManagerTest : public ::testing::Test {
  protected:
    // Keeps the jobs so that a test runs them when it chooses.
    WalletEventTrackingManager::OperationRunner runner() {
        return
            [this](WalletEventTrackingManager::Operation job) { jobs.push_back(std::move(job)); };
    }

    std::vector<WalletEventTrackingManager::Operation> jobs;
    std::shared_ptr<FakeNetwork> network = std::make_shared<FakeNetwork>();
    WalletEventTrackingManager manager{network, std::make_shared<FakeEnvironment>(), runner()};
};

// Address and method, and an event without identifier: the integration CompositionRoot_test.
TEST_F(WalletEventTrackingManagerTest, TrackHandsThePostToTheRunnerAndReturns) {
    manager.track(sampleEvent());
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(network->sent().empty());  // nothing is sent before the runner runs the job

    jobs.front()();
    const auto sent = network->only();
    EXPECT_EQ(sent.contentType, "application/json");
    EXPECT_EQ(sent.body, kSampleBody);
}

// A failed post is dropped without retry; a runner that cannot start the job loses the event
// (as would an environment that fails: the same guard).
TEST_F(WalletEventTrackingManagerTest, NeitherTrackNorItsJobEverThrows) {
    network->setReply({.failure = [] { throw 42; }});
    manager.track(sampleEvent());
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_NO_THROW(jobs.front()());
    EXPECT_EQ(network->sent().size(), 1u);

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
    EXPECT_EQ(network->sent().size(), 1u);
}

TEST_F(WalletEventTrackingManagerTest, JobKeepsTheNetworkManagerAlive) {
    auto own = std::make_shared<FakeNetwork>();
    const std::weak_ptr<FakeNetwork> weakNetwork = own;
    WalletEventTrackingManager(std::move(own), std::make_shared<FakeEnvironment>(), runner())
        .track(sampleEvent());
    ASSERT_FALSE(weakNetwork.expired());
    jobs.front()();
    EXPECT_EQ(weakNetwork.lock()->sent().size(), 1u);
    jobs.clear();
    EXPECT_TRUE(weakNetwork.expired());
}

TEST_F(WalletEventTrackingManagerTest, DefaultRunnerPostsOnAnotherThreadWithoutWaiting) {
    std::promise<void> trackReturned;
    auto released = std::make_shared<std::shared_future<void>>(trackReturned.get_future().share());
    network->setReply({.failure = [released] {
        // Held until track() has returned: a runner that posted inline would wait out the
        // deadline here, on the test's thread.
        if (released->wait_for(kDeadline) != std::future_status::ready) throw 0;
    }});
    WalletEventTrackingManager withDefaultRunner(network, std::make_shared<FakeEnvironment>());

    withDefaultRunner.track(sampleEvent());
    trackReturned.set_value();
    ASSERT_TRUE(network->waitForSent(1, kDeadline));
    const auto sent = network->only();
    EXPECT_NE(sent.thread, std::this_thread::get_id());
    EXPECT_EQ(sent.body, kSampleBody);
}

}  // namespace
}  // namespace corvend
