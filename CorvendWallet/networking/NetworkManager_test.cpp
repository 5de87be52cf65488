#include "CorvendWallet/networking/NetworkManager.hpp"

#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <cmath>

#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/networking/DefaultErrorProcessor.hpp"
#include "platform/async/CancellationError.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/http/URLError.hpp"
#include "tests/support/RecordingSession.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend {
namespace {

using model::WalletError;
using platform::Data;
using testing::RecordingSession;
using testing::ThrowsWalletError;

struct Ping {
    std::string status;
};
BOOST_DESCRIBE_STRUCT(Ping, (), (status))

struct Measurement {
    double value;
};
BOOST_DESCRIBE_STRUCT(Measurement, (), (value))

// Hands out the pending pairs, one per request.
struct CountingHeaders final : EnqueuedHeadersProviding {
    std::optional<EnqueuedHeader> dequeueHeader() override {
        if (pending.empty()) return std::nullopt;
        auto first = pending.front();
        pending.erase(pending.begin());
        return first;
    }
    std::vector<EnqueuedHeader> pending;
};

NetworkManagerEnvironment environment(std::optional<std::string> token = std::nullopt,
                                      double timeout = 15.0) {
    return {*platform::URL::make("https://wallet.example/api/"),
            {{"Corvend-Wallet-Version", "iOS-1.2.3"}, {"User-Agent", "agent"}},
            std::move(token),
            timeout};
}

Endpoint<Ping> getEndpoint(std::string_view path = "digitalwallets/v1/profile") {
    return Endpoint<Ping>(path, HTTPMethod::get(), {}, {}, EndpointParametersEncoder::empty(),
                          EndpointDecoder<Ping>::json(sharedResponseDecoder()),
                          defaultErrorProcessor());
}

template <class Body>
Endpoint<Ping> postEndpoint(Body body, std::map<std::string, std::string> headers = {}) {
    return Endpoint<Ping>("digitalwallets/v1/profile", HTTPMethod::post(), std::move(headers), {},
                          EndpointParametersEncoder::json(std::move(body)),
                          EndpointDecoder<Ping>::json(sharedResponseDecoder()),
                          defaultErrorProcessor());
}

class NetworkManagerTest : public ::testing::Test {
  protected:
    std::shared_ptr<RecordingSession> session = std::make_shared<RecordingSession>();
    std::shared_ptr<CountingHeaders> headers = std::make_shared<CountingHeaders>();
    std::shared_ptr<NetworkManager> manager = NetworkManager::make(session, headers);

    std::optional<std::string> sentAuthorization() {
        const auto sent = session->sent();
        return sent.empty() ? std::nullopt : sent.back().value("Authorization");
    }
};

TEST_F(NetworkManagerTest, RefusesEveryRequestUntilConfigured) {
    headers->pending.push_back({"X-Pending", "1"});
    EXPECT_THAT([&] { manager->request(getEndpoint()); },
                ThrowsWalletError(WalletError::notConfigured()));
    EXPECT_TRUE(session->sent().empty());
    EXPECT_TRUE(headers->pending.empty());  // still consumed the pending pair

    manager->setEnvironment(environment());
    EXPECT_EQ(manager->request(getEndpoint()).status, "ok");  // the queued change is seen
}

TEST_F(NetworkManagerTest, EachManagerKeepsItsStateOnAQueueOfItsOwnUnderTheSharedLabel) {
    const auto other = NetworkManager::make(session, headers);
    EXPECT_NE(other->stateQueue(), manager->stateQueue());
    EXPECT_EQ(other->stateQueue()->label(), manager->stateQueue()->label());
    EXPECT_TRUE(manager->stateQueue()->label().ends_with(".network-manager-state"))
        << manager->stateQueue()->label();
}

TEST_F(NetworkManagerTest, HeadersAreAddedInPipelineOrderAndNeverReplaced) {
    headers->pending.push_back({"X-Pending", "p"});
    auto env = environment("tok", 7.25);
    env.headers["content-type"] = "text/plain";
    manager->setEnvironment(env);
    manager->request(postEndpoint(Ping{"hi"}, {{"X-Endpoint", "e"}}));

    const auto request = session->sent().at(0);
    std::vector<std::string> names;
    for (const auto& [name, value] : request.allHTTPHeaderFields()) names.push_back(name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"X-Endpoint", "Content-Type", "Corvend-Wallet-Version",
                                        "User-Agent", "X-Pending", "Authorization"}));
    EXPECT_EQ(request.value("Content-Type"), "application/json,text/plain");
    EXPECT_EQ(request.value("authorization"), "Bearer tok");
    // Method, body and the address against the base: the integration RequestHeaders_test.
    EXPECT_EQ(request.timeoutInterval().count(), 7.25);
    EXPECT_EQ(request.cachePolicy(),
              platform::URLRequestCachePolicy::reloadIgnoringLocalAndRemoteCacheData);
}

// A token before any environment is dropped, and a new environment clears it: the integration
// WalletConfigure_test.
TEST_F(NetworkManagerTest, TokenChangesApplyInQueueOrder) {
    manager->setEnvironment(environment());
    manager->setAccessToken("first");
    manager->setAccessToken("second");
    manager->request(getEndpoint());
    EXPECT_EQ(sentAuthorization(), "Bearer second");

    manager->setEnvironment(environment(""));  // an empty token still sends the scheme
    manager->request(getEndpoint());
    EXPECT_EQ(sentAuthorization(), "Bearer ");
}

TEST_F(NetworkManagerTest, FailuresBeforeSendingCarryNoCorrelationIdentifier) {
    manager->setEnvironment(environment());
    const std::pair<Endpoint<Ping>, const char*> refused[] = {
        {getEndpoint("a b"), "I0001"}, {postEndpoint(Measurement{std::nan("")}), "I0002"}};
    for (const auto& [endpoint, code] : refused) {
        EXPECT_THAT([&] { manager->request(endpoint); },
                    ThrowsWalletError(WalletError::internalError(code, std::nullopt)));
    }
    EXPECT_TRUE(session->sent().empty());
}

// Other transport failures pass unchanged: the integration FaultMatrix_test.
TEST_F(NetworkManagerTest, ACancelledLoadIsACancellation) {
    manager->setEnvironment(environment());
    session->answer = [](const platform::URLRequest&) -> SessionReply {
        throw platform::URLError(platform::URLError::Code::cancelled, "cancelled");
    };
    EXPECT_THROW(manager->request(getEndpoint()), platform::CancellationError);
}

// Cancellation and delivery on the main queue are the completion bridge's own tests.
TEST_F(NetworkManagerTest, CompletionFormKeepsTheManagerAliveUntilItDelivers) {
    manager->setEnvironment(environment());
    std::optional<Result<Ping>> delivered;
    manager->request<Ping>(getEndpoint(), [&](Result<Ping> result) { delivered = result; });
    manager.reset();
    ASSERT_TRUE(platform::MainQueue::shared().runUntil([&] { return delivered.has_value(); },
                                                       std::chrono::seconds(10)));
    EXPECT_EQ(delivered->value().status, "ok");
}

}  // namespace
}  // namespace corvend
