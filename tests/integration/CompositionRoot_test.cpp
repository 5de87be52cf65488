// The object graph as the composition root builds it: three managers, each with a session of its
// own and a token of its own, one shared pending-header queue, the kit's version, and the core's
// wiring of decoding failures to error events.

#include "CorvendWallet/facade/CompositionRoot.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <boost/json.hpp>
#include <mutex>

#include "CorvendWallet/facade/CorvendWalletVersion.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/integration/TestEndpoints.hpp"
#include "tests/support/RecordingSession.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend::integration {
namespace {

using model::ConfigurationError;
using model::WalletError;
using testing::IsWalletError;
using testing::RecordingSession;
using testing::ThrowsWalletError;

const std::string kConfigToken = sandbox::SandboxOptions{}.configurationToken;
constexpr std::string_view kSummaryPath = "digitalwallets/v1/profile/summary";

// A pending-header queue that only counts the managers' asks.
class CountingHeaders final : public EnqueuedHeadersProviding {
  public:
    std::optional<EnqueuedHeader> dequeueHeader() override {
        ++asks;
        return std::nullopt;
    }
    std::atomic<int> asks{0};
};

class CompositionRootTest : public SandboxTest {
  protected:
    CompositionRootTest() {
        auto options = CompositionOptions::standard();
        options.makeSessionManager = [this] {
            // The kit's own session manager, recording each request it sends.
            sessions.push_back(std::make_shared<RecordingSession>(
                RecordingSession::forwardingTo(CompositionOptions::makeEphemeralSessionManager())));
            return sessions.back();
        };
        options.enqueuedHeaders = headers;
        core = makeWalletCore(std::move(options));
    }

    void configure() {
        inTask([&] { return core->configure({kConfigToken, sandbox.baseURL()}); });
    }

    std::vector<std::shared_ptr<Networkable>> managers() const {
        const auto& all = core->networkManagers();
        return {all.unauthenticated, all.userAuthenticated, all.weaklyAuthenticated};
    }

    std::vector<std::shared_ptr<RecordingSession>> sessions;  // in the order made
    const std::shared_ptr<CountingHeaders> headers = std::make_shared<CountingHeaders>();
    std::shared_ptr<WalletCore> core;
};

TEST_F(CompositionRootTest, BuildingSendsNothingAndEveryManagerWaitsForTheSetUp) {
    ASSERT_EQ(sessions.size(), 3u);
    for (const auto& manager : managers()) {
        EXPECT_THAT([&] { manager->request(jsonGetEndpoint<Ping>(kPingPath)); },
                    ThrowsWalletError(WalletError::notConfigured()));
    }
    for (const auto& session : sessions) EXPECT_TRUE(session->paths().empty());
    EXPECT_TRUE(sandbox.requests().empty());
    EXPECT_EQ(headers->asks, 3);  // each manager asked the one shared queue
    EXPECT_EQ(core->environmentProperties()->version(),
              reinterpret_cast<const char*>(CorvendWalletVersionString));
}

TEST_F(CompositionRootTest, EachManagerSendsThroughItsOwnSessionWithItsOwnToken) {
    configure();
    core->authenticate({"customer-token"});
    for (const auto& manager : managers()) manager->request(jsonGetEndpoint<Ping>(kPingPath));

    const auto requests = sandbox.requests();
    ASSERT_EQ(requests.size(), 4u);  // the configuration, then one ping per manager
    EXPECT_EQ(requests[1].headerCount("Authorization"), 0u);
    EXPECT_EQ(requests[2].header("Authorization"), "Bearer customer-token");
    EXPECT_EQ(requests[3].header("Authorization"), "Bearer " + kConfigToken);
    EXPECT_EQ(sessions[0]->paths().size(), 1u);
    EXPECT_EQ(sessions[1]->paths().size(), 1u);
    EXPECT_EQ(sessions[2]->count(kConfigurationPath), 1);
    EXPECT_EQ(sessions[2]->count(kPingPath), 1);
}

TEST_F(CompositionRootTest, DecodingFailuresGoOutAsEventsThroughTheUnauthenticatedManager) {
    configure();
    core->authenticate({"customer-token"});
    sandbox.clearRequests();
    sandbox.scriptNextReply("GET", std::string(kSummaryPath), {.body = "{}"});
    const auto error = failureOf([&] {
        return core->networkManagers().userAuthenticated->request(
            jsonGetEndpoint<Ping>(kSummaryPath, {{"include", "accounts"}}));
    });
    const auto correlationId = sandbox.requests().at(0).correlationId;
    ASSERT_TRUE(correlationId);
    EXPECT_THAT(error, IsWalletError(WalletError::internalError("I0005", correlationId)));

    ASSERT_TRUE(sandbox.waitForEvents(1, kDeadline));
    auto event = sandbox.events().at(0).as_object();
    EXPECT_THAT(std::string(event.at("timestamp").as_string()),
                ::testing::MatchesRegex("[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}Z"));
    event.erase("timestamp");
    const auto& environment = *core->environmentProperties();
    const boost::json::object expected{
        {"eventId", *correlationId},
        {"eventName", "DECODING_ERROR"},
        {"walletMetadata",
         {{"userAgent", environment.userAgent()},
          {"walletVersion", "iOS-" + environment.version()},
          {"walletPlatform", environment.platform()}}},
        {"httpDetails",
         {{"url", std::string(kSummaryPath) + "?include=accounts"}, {"method", "GET"}}},
        {"parameters", boost::json::array{{{"key", "message"},
                                           {"value", "No value associated with key - status"}}}},
    };
    EXPECT_EQ(event, expected) << boost::json::serialize(event);

    // The set-up's own reply, without a correlation header, through the weakly authenticated one.
    sandbox.scriptNextReply(
        "GET", std::string(kConfigurationPath),
        {.body = R"({"deviceScreening":{"screenHost":"h"}})", .sendCorrelationId = false});
    const auto setUpError = failureOf([&] { configure(); });
    EXPECT_EQ(setUpError.as<ConfigurationError>(), ConfigurationError("Internal error", "I0005"));
    ASSERT_TRUE(sandbox.waitForEvents(2, kDeadline));
    const auto second = sandbox.events().at(1).as_object();
    EXPECT_FALSE(second.contains("eventId"));
    EXPECT_EQ(second.at("httpDetails"),
              (boost::json::object{{"url", kConfigurationPath}, {"method", "GET"}}));

    // Both went out through the unauthenticated manager, which holds no token.
    EXPECT_EQ(sessions[0]->count(kEventsPath), 2);
    EXPECT_EQ(sessions[1]->count(kEventsPath) + sessions[2]->count(kEventsPath), 0);
}

}  // namespace
}  // namespace corvend::integration
