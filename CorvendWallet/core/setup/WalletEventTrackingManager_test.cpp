#include "CorvendWallet/core/setup/WalletEventTrackingManager.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "platform/async/CancellationError.hpp"
#include "platform/http/URLError.hpp"

namespace corvend {
namespace {

using namespace std::chrono_literals;

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

// Records each request and answers it with `status`, or throws what `failure` throws.
class FakeNetwork : public Networkable {
  public:
    struct Sent {
        std::string method;
        std::string url;
        std::optional<std::string> contentType;
        std::string body;
        std::thread::id thread;
    };

    int status = 202;
    std::function<void()> failure;

    std::vector<Sent> sent() const {
        std::lock_guard lock(mutex_);
        return sent_;
    }
    // Ready once the first request was made.
    std::shared_future<Sent> firstSent() const { return first_; }

  protected:
    void perform(const EndpointBase& endpoint, const ReplyHandler& handleReply) override {
        const auto body = endpoint.parametersEncoder().encode();
        Sent sent{endpoint.httpMethod().rawValue, endpoint.urlText(),
                  endpoint.parametersEncoder().contentType,
                  body ? std::string(body->view()) : std::string(), std::this_thread::get_id()};
        {
            std::lock_guard lock(mutex_);
            sent_.push_back(sent);
            if (sent_.size() == 1) firstPromise_.set_value(sent);
        }
        if (failure) failure();
        const platform::HTTPURLResponse response(
            *platform::URL::make("https://wallet.example/" + sent.url), status, {});
        handleReply(&response, platform::Data("ignored"), NetworkManagerErrorReporter::none());
    }

  private:
    mutable std::mutex mutex_;
    std::vector<Sent> sent_;
    std::promise<Sent> firstPromise_;
    std::shared_future<Sent> first_ = firstPromise_.get_future().share();
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
    const auto sent = network->sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].method, "POST");
    EXPECT_EQ(sent[0].url, "digitalwallets/v1/events-tracking/errors");
    EXPECT_EQ(sent[0].contentType, "application/json");
    EXPECT_EQ(sent[0].body, kSampleBody);
}

TEST(WalletEventTrackingManagerTest, WireDocumentKeepsAbsentAndEmptyApart) {
    using Wire = EventsTrackingEndpoint::ErrorEvent;
    const FakeEnvironment environment;
    const Wire::WalletMetadata metadata{"CorvendWalletiOS/1.2.3 (iOS 17.2; Mobile)", "iOS-1.2.3",
                                        "iOS 17.2"};
    ErrorEvent bare = sampleEvent();
    bare.eventID.reset();
    bare.httpDetails.reset();
    bare.parameters.reset();
    EXPECT_EQ(WalletEventTrackingManager::wireDocument(bare, environment),
              (Wire{std::nullopt, "DECODING_ERROR", bare.timestamp, metadata, std::nullopt,
                    std::nullopt}));

    ErrorEvent empty = sampleEvent();
    empty.parameters->clear();
    EXPECT_EQ(WalletEventTrackingManager::wireDocument(empty, environment),
              (Wire{"corr-7", "DECODING_ERROR", empty.timestamp, metadata,
                    Wire::HttpDetails{"digitalwallets/v1/profile", "GET"},
                    std::vector<Wire::Parameter>{}}));
}

TEST(WalletEventTrackingManagerTest, FailedPostsAreDropped) {
    struct Row {
        const char* name;
        int status;
        std::function<void()> failure;
    };
    const Row rows[] = {
        {"not configured", 200, [] { throw model::WalletError::notConfigured(); }},
        {"cancelled", 200, [] { throw platform::CancellationError(); }},
        {"transport", 200,
         [] {
             throw platform::URLError(platform::URLError::Code::cannotConnectToHost, "refused");
         }},
        {"anything", 200, [] { throw 42; }},
        {"server error", 500, nullptr},
        {"expired token", 401, nullptr},
        {"redirect", 302, nullptr},
    };
    for (const auto& row : rows) {
        auto network = std::make_shared<FakeNetwork>();
        network->status = row.status;
        network->failure = row.failure;
        HeldJobs held;
        WalletEventTrackingManager manager(network, std::make_shared<FakeEnvironment>(),
                                           held.runner());
        manager.track(sampleEvent());
        ASSERT_EQ(held.jobs->size(), 1u) << row.name;
        EXPECT_NO_THROW(held.jobs->front()()) << row.name;
        EXPECT_EQ(network->sent().size(), 1u) << row.name;  // tried once, not retried
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
    {
        WalletEventTrackingManager manager(std::move(network), std::make_shared<FakeEnvironment>(),
                                           held.runner());
        manager.track(sampleEvent());
    }
    ASSERT_FALSE(weakNetwork.expired());
    held.jobs->front()();
    EXPECT_EQ(weakNetwork.lock()->sent().size(), 1u);
    held.jobs->clear();
    EXPECT_TRUE(weakNetwork.expired());
}

TEST(WalletEventTrackingManagerTest, RejectsMissingCollaborators) {
    EXPECT_THROW(WalletEventTrackingManager(nullptr, std::make_shared<FakeEnvironment>()),
                 std::invalid_argument);
    EXPECT_THROW(WalletEventTrackingManager(std::make_shared<FakeNetwork>(), nullptr),
                 std::invalid_argument);
}

TEST(WalletEventTrackingManagerTest, DefaultRunnerRunsTheJobOnAnotherThreadWithoutWaiting) {
    std::promise<void> release;
    std::promise<std::pair<std::thread::id, bool>> ran;
    auto outcome = ran.get_future();
    WalletEventTrackingManager::defaultOperationRunner()(
        [released = release.get_future().share(),
         ran = std::make_shared<decltype(ran)>(std::move(ran))] {
            // Released only after the runner returned: a runner that waited would time out.
            const bool wasReleased = released.wait_for(kDeadline) == std::future_status::ready;
            ran->set_value({std::this_thread::get_id(), wasReleased});
        });
    release.set_value();
    ASSERT_EQ(outcome.wait_for(kDeadline), std::future_status::ready);
    const auto [thread, wasReleased] = outcome.get();
    EXPECT_NE(thread, std::this_thread::get_id());
    EXPECT_TRUE(wasReleased);
}

TEST(WalletEventTrackingManagerTest, DefaultRunnerSendsTheEvent) {
    auto network = std::make_shared<FakeNetwork>();
    network->failure = [] { throw model::WalletError::notConfigured(); };
    const auto first = network->firstSent();
    WalletEventTrackingManager manager(network, std::make_shared<FakeEnvironment>());

    manager.track(sampleEvent());
    ASSERT_EQ(first.wait_for(kDeadline), std::future_status::ready);
    EXPECT_NE(first.get().thread, std::this_thread::get_id());
    EXPECT_EQ(first.get().body, kSampleBody);
}

}  // namespace
}  // namespace corvend
