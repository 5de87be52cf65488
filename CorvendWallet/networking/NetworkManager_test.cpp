#include "CorvendWallet/networking/NetworkManager.hpp"

#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <cmath>
#include <mutex>

#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "CorvendWallet/networking/DefaultErrorProcessor.hpp"
#include "platform/async/CancellationError.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/http/URLError.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend {
namespace {

using model::WalletError;
using platform::Data;
using testing::ThrowsWalletError;

struct Ping {
    std::string status;
};
BOOST_DESCRIBE_STRUCT(Ping, (), (status))

struct Measurement {
    double value;
};
BOOST_DESCRIBE_STRUCT(Measurement, (), (value))

// Records what would go on the wire and answers with a scripted reply or failure.
class FakeSession final : public SessionManagable {
  public:
    SessionReply data(const platform::URLRequest& request) override {
        std::function<SessionReply(const platform::URLRequest&)> answer;
        {
            std::lock_guard lock(mutex_);
            sent_.push_back(request);
            answer = answer_;
        }
        if (answer) return answer(request);
        return ok(R"({"status":"ok"})");
    }

    void answer(std::function<SessionReply(const platform::URLRequest&)> fn) {
        std::lock_guard lock(mutex_);
        answer_ = std::move(fn);
    }

    std::vector<platform::URLRequest> sent() const {
        std::lock_guard lock(mutex_);
        return sent_;
    }

    static SessionReply ok(std::string body, int status = 200) {
        return {Data(body),
                std::make_shared<platform::HTTPURLResponse>(
                    *platform::URL::make("https://wallet.example/"), status,
                    std::map<std::string, std::string>{{"x-internal-correlation-id", "corr-7"}})};
    }

  private:
    mutable std::mutex mutex_;
    std::vector<platform::URLRequest> sent_;
    std::function<SessionReply(const platform::URLRequest&)> answer_;
};

class CountingHeaders final : public EnqueuedHeadersProviding {
  public:
    std::optional<EnqueuedHeader> dequeueHeader() override {
        std::lock_guard lock(mutex_);
        ++asked;
        if (pending.empty()) return std::nullopt;
        auto first = pending.front();
        pending.erase(pending.begin());
        return first;
    }
    std::mutex mutex_;
    int asked = 0;
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
    std::shared_ptr<FakeSession> session = std::make_shared<FakeSession>();
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
    EXPECT_EQ(headers->asked, 1);  // still consumed the pending pair
    EXPECT_TRUE(headers->pending.empty());

    manager->setEnvironment(environment());
    EXPECT_EQ(manager->request(getEndpoint()).status, "ok");  // the queued change is seen
}

TEST_F(NetworkManagerTest, HeadersAreAddedInPipelineOrderAndNeverReplaced) {
    headers->pending.push_back({"X-Pending", "p"});
    auto env = environment("tok");
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
    EXPECT_EQ(request.httpMethod(), "POST");
    EXPECT_EQ(request.httpBody()->view(), R"({"status":"hi"})");
    EXPECT_EQ(request.url().absoluteString(),
              "https://wallet.example/api/digitalwallets/v1/profile");
    EXPECT_EQ(request.cachePolicy(),
              platform::URLRequestCachePolicy::reloadIgnoringLocalAndRemoteCacheData);
}

TEST_F(NetworkManagerTest, TimeoutIsTheEnvironmentsAndEmptyTokenStillSendsBearer) {
    manager->setEnvironment(environment("", 7.25));
    manager->request(getEndpoint());
    const auto request = session->sent().at(0);
    EXPECT_EQ(request.timeoutInterval().count(), 7.25);
    EXPECT_EQ(request.value("Authorization"), "Bearer ");
    EXPECT_FALSE(request.httpBody().has_value());
    EXPECT_FALSE(request.value("Content-Type").has_value());
}

TEST_F(NetworkManagerTest, TokenChangesApplyInQueueOrder) {
    manager->setAccessToken("too-early");  // no environment yet: dropped
    manager->setEnvironment(environment());
    manager->request(getEndpoint());
    EXPECT_FALSE(sentAuthorization().has_value());

    manager->setAccessToken("first");
    manager->setAccessToken("second");
    manager->request(getEndpoint());
    EXPECT_EQ(sentAuthorization(), "Bearer second");

    manager->setEnvironment(environment());  // a new environment clears the token
    manager->request(getEndpoint());
    EXPECT_FALSE(sentAuthorization().has_value());
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

    // A GET never calls its encoder; a POST whose encoder gives no bytes has no body.
    const EndpointParametersEncoder noBytes{"application/json", [] { return std::nullopt; }};
    const EndpointParametersEncoder mustNotRun{
        std::nullopt, []() -> std::optional<Data> { throw std::logic_error("called"); }};
    for (const auto& encoder : {noBytes, mustNotRun}) {
        manager->request(Endpoint<Ping>("p", HTTPMethod::post(), {}, {}, encoder,
                                        EndpointDecoder<Ping>::json(sharedResponseDecoder()),
                                        defaultErrorProcessor()));
        EXPECT_FALSE(session->sent().back().httpBody().has_value());
    }
    EXPECT_EQ(session->sent().at(0).value("Content-Type"), "application/json");
    EXPECT_FALSE(session->sent().at(1).value("Content-Type").has_value());
}

TEST_F(NetworkManagerTest, TransportFailuresPassUnchangedButACancelledLoadIsACancellation) {
    manager->setEnvironment(environment());
    session->answer([](const platform::URLRequest&) -> SessionReply {
        throw platform::URLError(platform::URLError::Code::timedOut, "The request timed out.");
    });
    try {
        manager->request(getEndpoint());
        ADD_FAILURE() << "no transport error";
    } catch (const platform::URLError& error) {
        EXPECT_EQ(error.code(), platform::URLError::Code::timedOut);
    }
    session->answer([](const platform::URLRequest&) -> SessionReply {
        throw platform::URLError(platform::URLError::Code::cancelled, "cancelled");
    });
    EXPECT_THROW(manager->request(getEndpoint()), platform::CancellationError);
}

TEST_F(NetworkManagerTest, ReporterReceivesDecodingFailuresAndErrorsCarryTheCorrelation) {
    manager->setEnvironment(environment());
    session->answer([](const platform::URLRequest&) { return FakeSession::ok("{}"); });
    std::vector<std::string> reports;
    manager->setErrorReporter(
        {[&](const platform::DecodingError& error, const std::optional<std::string>& id,
             const HTTPMethod& method, const std::string& url) {
            reports.push_back(std::string(platform::toString(error.kind())) + "|" +
                              id.value_or("") + "|" + method.rawValue + "|" + url);
        }});
    EXPECT_THAT([&] { manager->request(getEndpoint()); },
                ThrowsWalletError(WalletError::internalError("I0005", "corr-7")));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0],
              std::string(platform::toString(platform::DecodingError::Kind::keyNotFound)) +
                  "|corr-7|GET|digitalwallets/v1/profile");
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
