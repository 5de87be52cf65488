// An undecodable 2xx reply, reported to the service as one error event through the
// unauthenticated manager, while the request itself fails towards its caller.

#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <boost/json.hpp>
#include <condition_variable>
#include <mutex>

#include "CorvendWallet/core/setup/ErrorEventReporter.hpp"
#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "CorvendWallet/core/setup/WalletEventTrackingManager.hpp"
#include "platform/async/Task.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/integration/TestEndpoints.hpp"

namespace corvend::integration {
namespace {

using model::WalletError;

constexpr std::string_view kSummaryPath = "digitalwallets/v1/profile/summary";

struct Summary {
    std::string customerId;
};
BOOST_DESCRIBE_STRUCT(Summary, (), (customerId))

// Runs each sending job in a task of its own, as the kit's default runner does, and counts the
// jobs started and ended so that a test can wait until every post is over.
class RecordingRunner {
  public:
    WalletEventTrackingManager::OperationRunner runner() const {
        return [state = state_](WalletEventTrackingManager::Operation operation) {
            {
                std::lock_guard lock(state->mutex);
                ++state->started;
            }
            platform::Task<void>::detached([state, operation = std::move(operation)] {
                operation();
                {
                    std::lock_guard lock(state->mutex);
                    ++state->ended;
                }
                state->changed.notify_all();
            });
        };
    }

    // Waits until some job has started and every started job has ended. A job that reports
    // a further event starts it before it ends, so nothing is missed.
    bool waitUntilIdle(std::chrono::milliseconds timeout) const {
        std::unique_lock lock(state_->mutex);
        return state_->changed.wait_for(
            lock, timeout, [&] { return state_->started > 0 && state_->ended == state_->started; });
    }

    int started() const {
        std::lock_guard lock(state_->mutex);
        return state_->started;
    }

  private:
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        int started = 0;
        int ended = 0;
    };
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

// 2024-03-05T14:09:00.750Z: the fraction must not reach the wire.
platform::Date reportTime() {
    return platform::Date::fromUnixSeconds(1709647740.75);
}

class ErrorEventsTest : public SandboxTest {
  protected:
    // The set-up's wiring: events go out through the unauthenticated manager, and every
    // manager, that one included, reports to the same tracking manager.
    void installReporter() {
        const auto reporter = makeErrorEventReporter(tracking, &reportTime);
        unauthenticated->setErrorReporter(reporter);
        userAuthenticated->setErrorReporter(reporter);
    }

    Error failedSummaryRequest() {
        return failureOf([&] {
            return userAuthenticated->request(
                getEndpoint<Summary>(kSummaryPath, {{"include", "accounts"}}));
        });
    }

    boost::json::object expectedEvent() const {
        return {
            {"eventName", "DECODING_ERROR"},
            {"timestamp", "2024-03-05T14:09:00Z"},
            {"walletMetadata",
             {{"userAgent", properties->userAgent()},
              {"walletVersion", "iOS-" + properties->version()},
              {"walletPlatform", properties->platform()}}},
            {"httpDetails",
             {{"url", std::string(kSummaryPath) + "?include=accounts"}, {"method", "GET"}}},
            {"parameters",
             boost::json::array{
                 {{"key", "message"}, {"value", "No value associated with key - customerId"}}}},
        };
    }

    RecordingRunner jobs;
    const std::shared_ptr<NetworkManager> unauthenticated = makeManager();
    const std::shared_ptr<NetworkManager> userAuthenticated = configuredManager("user-token-1");
    const std::shared_ptr<WalletEventTrackingManager> tracking =
        std::make_shared<WalletEventTrackingManager>(unauthenticated, properties, jobs.runner());
};

TEST_F(ErrorEventsTest, UndecodableReplySendsExactlyOneEvent) {
    unauthenticated->setEnvironment(environment());
    installReporter();
    sandbox.scriptNextReply("GET", std::string(kSummaryPath), {.body = "{}"});

    const auto error = failedSummaryRequest();

    const auto failed = sandbox.requests().front();
    ASSERT_TRUE(failed.correlationId);
    EXPECT_EQ(error.as<WalletError>(), WalletError::internalError("I0005", failed.correlationId))
        << error.description();

    ASSERT_TRUE(sandbox.waitForEvents(1, kDeadline));
    ASSERT_TRUE(jobs.waitUntilIdle(kDeadline));
    EXPECT_EQ(jobs.started(), 1);
    const auto events = sandbox.events();
    ASSERT_EQ(events.size(), 1u);
    auto expected = expectedEvent();
    expected["eventId"] = *failed.correlationId;
    EXPECT_EQ(events.front(), expected) << boost::json::serialize(events.front());

    // The post went out unauthenticated, with the kit headers, as JSON.
    const auto requests = sandbox.requests();
    ASSERT_EQ(requests.size(), 2u);
    const auto& post = requests.back();
    EXPECT_EQ(post.method, "POST");
    EXPECT_EQ(post.target, "/" + std::string(kEventsPath));
    EXPECT_EQ(post.headerCount("Authorization"), 0u);
    EXPECT_EQ(post.header("Content-Type"), "application/json");
    EXPECT_EQ(post.header("User-Agent"), properties->userAgent());
}

TEST_F(ErrorEventsTest, ReplyWithoutCorrelationIdGivesEventWithoutEventId) {
    unauthenticated->setEnvironment(environment());
    installReporter();
    sandbox.scriptNextReply("GET", std::string(kSummaryPath),
                            {.body = "{}", .sendCorrelationId = false});

    EXPECT_EQ(failedSummaryRequest().as<WalletError>(), WalletError::internalError("I0005"));

    ASSERT_TRUE(sandbox.waitForEvents(1, kDeadline));
    ASSERT_TRUE(jobs.waitUntilIdle(kDeadline));
    const auto events = sandbox.events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events.front(), expectedEvent()) << boost::json::serialize(events.front());
}

TEST_F(ErrorEventsTest, EventIsLostWhileTheEventsManagerIsNotConfigured) {
    installReporter();
    sandbox.scriptNextReply("GET", std::string(kSummaryPath), {.body = "{}"});

    const auto error = failedSummaryRequest();
    EXPECT_EQ(error.as<WalletError>(),
              WalletError::internalError("I0005", sandbox.requests().front().correlationId));

    ASSERT_TRUE(jobs.waitUntilIdle(kDeadline));
    EXPECT_EQ(jobs.started(), 1);
    EXPECT_TRUE(sandbox.events().empty());
    EXPECT_EQ(sandbox.requests().size(), 1u);
}

TEST_F(ErrorEventsTest, DecodableReplyReportsNothing) {
    unauthenticated->setEnvironment(environment());
    installReporter();
    sandbox.scriptNextReply("GET", std::string(kSummaryPath),
                            {.body = R"({"customerId":"c-1","unknown":[1e400]})"});

    EXPECT_EQ(userAuthenticated->request(getEndpoint<Summary>(kSummaryPath)).customerId, "c-1");
    EXPECT_EQ(jobs.started(), 0);  // the reporter runs before the request returns
}

}  // namespace
}  // namespace corvend::integration
