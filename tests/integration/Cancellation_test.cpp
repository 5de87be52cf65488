// A request whose reply is held by the service, cancelled while it waits.

#include <gtest/gtest.h>

#include <atomic>
#include <future>

#include "CorvendWallet/core/TaskOperationHandle.hpp"
#include "CorvendWallet/core/WalletError.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/async/Task.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/integration/TestEndpoints.hpp"

namespace corvend::integration {
namespace {

using model::WalletError;

class CancellationTest : public SandboxTest {
  protected:
    CancellationTest() { sandbox.scriptNextReply("GET", std::string(kPingPath), {.hold = true}); }

    std::shared_ptr<NetworkManager> manager = configuredManager();
};

TEST_F(CancellationTest, CancelledTaskEndsPromptlyWithCancellationError) {
    // Shared with the task, which may outlive a failed test.
    auto outcome = std::make_shared<std::promise<Error>>();
    auto ended = outcome->get_future();
    auto task = platform::Task<void>::detached([manager = manager, outcome] {
        auto result = captureResult([&] { return manager->request(getEndpoint<Ping>(kPingPath)); });
        outcome->set_value(result ? Error(nullptr) : result.error());
    });
    ASSERT_TRUE(sandbox.waitForRequests(1, kDeadline));

    task.cancel();

    // The reply is still held: only the cancellation can end the request.
    ASSERT_EQ(ended.wait_for(kDeadline), std::future_status::ready);
    const auto error = ended.get();
    EXPECT_TRUE(error.isCancellation()) << error.description();
    EXPECT_FALSE(error.is<WalletError>());

    // The manager and its session serve the next request as usual.
    sandbox.releaseHeld();
    EXPECT_EQ(manager->request(getEndpoint<Ping>(kPingPath)).status, "ok");
}

TEST_F(CancellationTest, CompletionFormDeliversNothingWhenCancelled) {
    auto& mainQueue = platform::MainQueue::shared();
    auto cancelledCalls = std::make_shared<std::atomic<int>>(0);
    const auto handle = manager->request<Ping>(
        getEndpoint<Ping>(kPingPath), [cancelledCalls](Result<Ping>) { ++*cancelledCalls; });
    ASSERT_TRUE(sandbox.waitForRequests(1, kDeadline));

    handle->cancel();

    const auto task = std::dynamic_pointer_cast<TaskOperationHandle>(handle);
    ASSERT_NE(task, nullptr);
    // A completion would be posted before its task ends; drive the queue until then.
    ASSERT_TRUE(mainQueue.runUntil([&] { return task->task().isFinished(); }, kDeadline));
    mainQueue.drain();
    EXPECT_EQ(*cancelledCalls, 0);

    // The same path without a cancel does deliver, on the main queue.
    sandbox.releaseHeld();
    auto delivered = std::make_shared<std::optional<Result<Ping>>>();
    manager->request<Ping>(getEndpoint<Ping>(kPingPath),
                           [delivered](Result<Ping> result) { *delivered = std::move(result); });
    ASSERT_TRUE(mainQueue.runUntil([&] { return delivered->has_value(); }, kDeadline));
    const auto& result = **delivered;
    ASSERT_TRUE(result.has_value()) << result.error().description();
    EXPECT_EQ(result->status, "ok");
    EXPECT_EQ(*cancelledCalls, 0);
}

}  // namespace
}  // namespace corvend::integration
