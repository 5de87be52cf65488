// A request whose reply is held by the service, cancelled while it waits.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "CorvendWallet/facade/CompositionRoot.hpp"
#include "platform/http/URLError.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/integration/TestEndpoints.hpp"
#include "tests/support/NoDescriptorsLeft.hpp"

namespace corvend::integration {
namespace {

using CancellationTest = SandboxTest;

TEST_F(CancellationTest, CancelledTaskEndsPromptlyAndTheManagerServesTheNextRequest) {
    const auto manager = configuredManager();
    expectCancelledWhileHeld("GET", std::string(kPingPath),
                             [manager] { manager->request(jsonGetEndpoint<Ping>(kPingPath)); });

    // The cancelled transfer leaves the manager and its session fit for the next request.
    sandbox.releaseHeld();
    EXPECT_EQ(manager->request(jsonGetEndpoint<Ping>(kPingPath)).status, "ok");
    sandbox.clearRequests();
}

// A manager made as the kit makes it while the process has no descriptor left: its call fails
// naming the shortage while it lasts, and once descriptors are back it has a session whole, so a
// cancel ends a call at once rather than at its time-out.
TEST_F(CancellationTest, AManagerMadeWithoutDescriptorsIsCancellableOnceTheyAreBack) {
    std::shared_ptr<NetworkManager> manager;
    std::optional<platform::URLError> failure;
    {
        const testing::NoDescriptorsLeft none;
        manager = NetworkManager::make(CompositionOptions::makeEphemeralSessionManager(),
                                       enqueuedHeaders);
        manager->setEnvironment(environment());
        try {
            manager->request(jsonGetEndpoint<Ping>(kPingPath));
        } catch (const platform::URLError& error) {
            failure = error;
        }
    }
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->description().find("no file descriptors left"), std::string::npos)
        << failure->description();
    // Sent first, so that the held call goes on its kept connection and no timer of libcurl's
    // wakes the session meanwhile.
    EXPECT_EQ(manager->request(jsonGetEndpoint<Ping>(kPingPath)).status, "ok");
    sandbox.clearRequests();
    expectCancelledWhileHeld("GET", std::string(kPingPath),
                             [manager] { manager->request(jsonGetEndpoint<Ping>(kPingPath)); });
}

}  // namespace
}  // namespace corvend::integration
