#include "tests/integration/SandboxTest.hpp"

#include <chrono>
#include <cstdlib>
#include <future>
#include <thread>

#include "CorvendWallet/foundation/TaskOperationHandle.hpp"
#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/networking/SessionManager.hpp"
#include "CorvendWallet/setup/ErrorEventReporter.hpp"
#include "CorvendWallet/setup/WalletEventTrackingManager.hpp"
#include "platform/async/TaskPool.hpp"
#include "platform/http/URLSession.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend::integration {

namespace {

// Sessions trust the file SSL_CERT_FILE names, read when the process makes its first session,
// so the test CA is named before any test runs. Host programs the tests start inherit it.
const bool kTestAuthorityTrusted =
    ::setenv("SSL_CERT_FILE", CORVEND_TEST_TLS_DIR "/test-ca.pem", 1) == 0;

}  // namespace

SandboxTest::SandboxTest(sandbox::SandboxOptions options) : sandbox(std::move(options)) {
    EXPECT_TRUE(kTestAuthorityTrusted);
    // The test's thread drives the main queue, so fixtures may make screens as members.
    platform::MainQueue::shared().drain();
    sandbox.start();
}

SandboxTest::~SandboxTest() {
    sandbox.releaseHeld();
    // A request a test left running (a screen released mid-load) ends before the process does:
    // at exit it would read once-built values already destroyed.
    auto& pool = platform::TaskPool::shared();
    const auto deadline = std::chrono::steady_clock::now() + kDeadline;
    while (pool.idleThreadCount() != pool.threadCount() &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

std::string tlsFile(const std::string& name) {
    return CORVEND_TEST_TLS_DIR "/" + name;
}

sandbox::SandboxOptions SandboxTest::httpsOptions(const std::string& name) {
    return {.certificateFile = tlsFile(name + ".pem"),
            .privateKeyFile = tlsFile(name + "-key.pem")};
}

std::shared_ptr<NetworkManager> SandboxTest::makeManager() const {
    return NetworkManager::make(std::make_shared<SessionManager>(platform::URLSession::make()),
                                enqueuedHeaders);
}

NetworkManagerEnvironment SandboxTest::environment(std::optional<std::string> token) const {
    return {
        .baseURL = *platform::URL::make(sandbox.baseURL()),
        .headers = properties->headers(),
        .accessToken = std::move(token),
        .timeout = 15.0,
    };
}

std::shared_ptr<NetworkManager> SandboxTest::configuredManager(
    std::optional<std::string> token) const {
    auto manager = makeManager();
    manager->setEnvironment(environment(std::move(token)));
    return manager;
}

std::optional<std::string> SandboxTest::lastRecordedCorrelationId() const {
    const auto requests = sandbox.requests();
    if (requests.empty()) return std::nullopt;
    return requests.back().correlationId;
}

void SandboxTest::expectCancelledWhileHeld(const std::string& method, const std::string& path,
                                           std::function<void()> call) {
    sandbox.scriptNextReply(method, path, {.hold = true});
    // Shared with the task, which may outlive a failed test.
    auto outcome = std::make_shared<std::promise<Result<void>>>();
    auto ended = outcome->get_future();
    auto task = platform::Task<void>::detached(
        [call = std::move(call), outcome] { outcome->set_value(captureResult(call)); });
    const bool reached = sandbox.waitForRequests(1, kDeadline);
    task.cancel();
    ASSERT_TRUE(reached) << "the request never reached the sandbox";

    // The reply is still held: only the cancellation can end the call.
    ASSERT_EQ(ended.wait_for(kDeadline), std::future_status::ready) << "the call did not end";
    const auto result = ended.get();
    ASSERT_FALSE(result.has_value()) << "the cancelled call returned";
    EXPECT_TRUE(result.error().isCancellation()) << result.error().description();
}

std::shared_ptr<std::atomic<int>> SandboxTest::expectSilentWhenCancelledWhileHeld(
    const std::string& method, const std::string& path, const CountingStart& start) {
    auto& mainQueue = platform::MainQueue::shared();
    mainQueue.drain();  // the test thread becomes the main thread
    sandbox.scriptNextReply(method, path, {.hold = true});
    auto calls = std::make_shared<std::atomic<int>>(0);
    const auto handle = start([calls] { ++*calls; });
    if (!sandbox.waitForRequests(1, kDeadline)) {
        ADD_FAILURE() << "the request never reached the sandbox";
        if (handle) handle->cancel();
        return calls;
    }

    handle->cancel();

    const auto task = std::dynamic_pointer_cast<TaskOperationHandle>(handle);
    if (task == nullptr) {
        ADD_FAILURE() << "the call's handle does not own a task";
        return calls;
    }
    // A completion would be posted before its task ends; drive the queue until then.
    EXPECT_TRUE(mainQueue.runUntil([&] { return task->task().isFinished(); }, kDeadline));
    mainQueue.drain();
    EXPECT_EQ(*calls, 0);
    return calls;
}

void SandboxTest::installEventReporter(NetworkManager& manager) {
    const auto tracking = std::make_shared<WalletEventTrackingManager>(
        configuredManager(), properties,
        [](WalletEventTrackingManager::Operation post) { post(); });
    eventTrackers_.push_back(tracking);
    manager.setErrorReporter(makeErrorEventReporter(tracking));
}

boost::json::object SandboxTest::expectOneDecodingErrorEvent(const Error& error) {
    const auto requests = sandbox.requests();
    if (requests.empty() || !requests.front().correlationId) {
        ADD_FAILURE() << "no request with a correlation identifier was recorded";
        return {};
    }
    const auto& correlationId = requests.front().correlationId;
    EXPECT_THAT(error,
                testing::IsWalletError(model::WalletError::internalError("I0005", correlationId)));
    const auto events = sandbox.events();
    if (events.size() != 1u) {
        ADD_FAILURE() << "expected one event, got " << events.size();
        return {};
    }
    auto event = events.front().as_object();
    EXPECT_EQ(event.at("eventName").as_string(), "DECODING_ERROR");
    EXPECT_EQ(event.at("eventId").as_string(), *correlationId);
    return event;
}

}  // namespace corvend::integration
