// A request whose reply is held by the service, cancelled while it waits.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/integration/TestEndpoints.hpp"

namespace corvend::integration {
namespace {

using model::WalletError;

class CancellationTest : public SandboxTest {
  protected:
    std::shared_ptr<NetworkManager> manager = configuredManager();
};

TEST_F(CancellationTest, CancelledTaskEndsPromptlyWithCancellationError) {
    const auto error = failureWhenCancelledWhileHeld(
        "GET", std::string(kPingPath),
        [manager = manager] { manager->request(getEndpoint<Ping>(kPingPath)); });
    EXPECT_TRUE(error.isCancellation()) << error.description();
    EXPECT_FALSE(error.is<WalletError>());

    // The manager and its session serve the next request as usual.
    sandbox.releaseHeld();
    EXPECT_EQ(manager->request(getEndpoint<Ping>(kPingPath)).status, "ok");
}

TEST_F(CancellationTest, CompletionFormDeliversNothingWhenCancelled) {
    const auto cancelledCalls = expectSilentWhenCancelledWhileHeld(
        "GET", std::string(kPingPath), [&](std::function<void()> completion) {
            return manager->request<Ping>(getEndpoint<Ping>(kPingPath),
                                          [completion](Result<Ping>) { completion(); });
        });

    // The same path without a cancel does deliver, on the main queue.
    sandbox.releaseHeld();
    const auto delivery = deliveredOnMain<Ping>([&](auto completion) {
        manager->request<Ping>(getEndpoint<Ping>(kPingPath), std::move(completion));
    });
    ASSERT_NE(delivery, nullptr);
    const auto& result = *delivery->result;
    ASSERT_TRUE(result.has_value()) << result.error().description();
    EXPECT_EQ(result->status, "ok");
    EXPECT_EQ(*cancelledCalls, 0);
}

}  // namespace
}  // namespace corvend::integration
