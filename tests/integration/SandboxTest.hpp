#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <boost/json.hpp>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "CorvendWallet/foundation/Result.hpp"
#include "CorvendWallet/foundation/WalletOperationHandle.hpp"
#include "CorvendWallet/networking/EnqueuedHeadersProvider.hpp"
#include "CorvendWallet/networking/NetworkManager.hpp"
#include "CorvendWallet/setup/EventsTrackingManager.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/async/Task.hpp"
#include "sandbox/Sandbox.hpp"
#include "tests/integration/FixedEnvironmentProperties.hpp"

namespace corvend::integration {

// Generous: reached only when the behaviour under test is broken.
inline constexpr std::chrono::milliseconds kDeadline{10'000};

// The path of the test certificate file `name` (tests/tls).
std::string tlsFile(const std::string& name);

// Runs `fn` and returns what it threw. A call that returns normally fails the test and yields
// an "Unknown error".
template <class F>
Error failureOf(F&& fn) {
    auto result = captureResult(std::forward<F>(fn));
    if (result) {
        ADD_FAILURE() << "the call succeeded where a failure was expected";
        return Error(nullptr);
    }
    return std::move(result).error();
}

// Runs `fn` in a task while this thread drives the main queue, as a host does, and returns its
// value or rethrows. A task still running at the deadline fails the test and is cancelled.
template <class F>
std::invoke_result_t<F> inTask(F fn) {
    auto task = platform::Task<std::invoke_result_t<F>>::detached(std::move(fn));
    if (!platform::MainQueue::shared().runUntil([&] { return task.isFinished(); }, kDeadline)) {
        ADD_FAILURE() << "the task did not end";
        task.cancel();
    }
    return task.value();
}

// What a completion-form call delivered, and whether it ran on the main thread.
template <class T>
struct Delivery {
    bool onMain = false;
    std::optional<Result<T>> result;
};

// Makes the test thread the main thread, starts a completion-form call through `start` (given the
// completion to pass on) and drives the main queue until the completion has run. The completion
// must not run before the queue does. Null, with a failed expectation, when nothing arrived.
template <class T, class Start>
std::shared_ptr<Delivery<T>> deliveredOnMain(Start&& start) {
    auto& mainQueue = platform::MainQueue::shared();
    mainQueue.drain();
    auto delivery = std::make_shared<Delivery<T>>();
    std::forward<Start>(start)([delivery](Result<T> result) {
        delivery->onMain = platform::MainQueue::isMainThread();
        delivery->result = std::move(result);
    });
    EXPECT_FALSE(delivery->result.has_value()) << "delivered before the main queue ran";
    if (!mainQueue.runUntil([&] { return delivery->result.has_value(); }, kDeadline)) {
        ADD_FAILURE() << "the completion never ran";
        return nullptr;
    }
    EXPECT_TRUE(delivery->onMain);
    return delivery;
}

// A sandbox started for each test, and what the kit needs to reach it: managers made as the
// kit makes them (one URL session each, one shared pending-header queue) and a fixed identity.
class SandboxTest : public ::testing::Test {
  protected:
    SandboxTest() : SandboxTest(sandbox::SandboxOptions{}) {}
    explicit SandboxTest(sandbox::SandboxOptions options);
    // Frees held replies first, so no serving thread waits on a test that has ended.
    ~SandboxTest() override;

    // A manager with a URL session of its own; not configured.
    std::shared_ptr<NetworkManager> makeManager() const;

    // The environment the set-up gives each manager: the sandbox's base URL, the three kit
    // headers, a 15 s time-out, and `token` when given.
    NetworkManagerEnvironment environment(std::optional<std::string> token = std::nullopt) const;

    // makeManager() given environment(token).
    std::shared_ptr<NetworkManager> configuredManager(
        std::optional<std::string> token = std::nullopt) const;

    // The correlation identifier the sandbox answered the latest recorded request with.
    std::optional<std::string> lastRecordedCorrelationId() const;

    // Holds the reply to `method path`, runs `call` in a detached task, cancels the task once the
    // request has reached the sandbox, and expects the call to end with a cancellation error.
    void expectCancelledWhileHeld(const std::string& method, const std::string& path,
                                  std::function<void()> call);

    // Holds the reply to `method path`, starts a completion-form call through `start` with a
    // completion that only counts, cancels its handle once the request has reached the sandbox,
    // and drives the main queue until the call's task has ended. Expects the completion never to
    // have run; returns the counter, so the test can check it again later.
    using CountingStart =
        std::function<std::shared_ptr<WalletOperationHandle>(std::function<void()> completion)>;
    std::shared_ptr<std::atomic<int>> expectSilentWhenCancelledWhileHeld(
        const std::string& method, const std::string& path, const CountingStart& start);

    // Reports `manager`'s errors as events, each posted inside the report through a manager of
    // its own, so every event is stored before the failed request returns.
    void installEventReporter(NetworkManager& manager);

    // Expects `error` to be the I0005 internal error carrying the correlation identifier of the
    // first recorded request, and exactly one DECODING_ERROR event, with that identifier, to
    // have reached the sandbox. Returns that event (empty on a failed expectation).
    boost::json::object expectOneDecodingErrorEvent(const Error& error);

    // A sandbox serving https with the certificate `name` of tests/tls: "server" (for
    // 127.0.0.1, signed by the test CA, which the kit's sessions in this binary trust),
    // "other-host" (signed by it, for another host name) or "untrusted-server" (signed by a CA
    // that nothing trusts).
    static sandbox::SandboxOptions httpsOptions(const std::string& name = "server");

    sandbox::Sandbox sandbox;
    const std::shared_ptr<FixedEnvironmentProperties> properties =
        std::make_shared<FixedEnvironmentProperties>();
    const std::shared_ptr<EnqueuedHeadersProvider> enqueuedHeaders =
        std::make_shared<EnqueuedHeadersProvider>();

  private:
    // The reporters hold their tracking managers weakly; the test keeps them alive.
    std::vector<std::shared_ptr<EventsTrackingManager>> eventTrackers_;
};

}  // namespace corvend::integration
