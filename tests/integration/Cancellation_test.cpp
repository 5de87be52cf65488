// A request whose reply is held by the service, cancelled while it waits.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "CorvendWallet/facade/CompositionRoot.hpp"
#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"
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

// A session manager made as the kit makes it while the process has no descriptor left makes its
// session at the next call, whole: a cancel then ends a call at once rather than at its time-out.
TEST_F(CancellationTest, AManagerMadeWithoutDescriptorsIsCancellableOnceTheyAreBack) {
    // Made once first: the undefined-behaviour checker takes a descriptor to check a type the
    // first time it meets it.
    (void)CompositionOptions::makeEphemeralSessionManager();
    EXPECT_THROW(platform::URLSession::make()->data(
                     platform::URLRequest(*platform::URL::make("ftp://127.0.0.1/"))),
                 platform::URLError);
    std::shared_ptr<SessionManagable> sessions;
    {
        const testing::NoDescriptorsLeft none;
        sessions = CompositionOptions::makeEphemeralSessionManager();
    }
    const auto manager = NetworkManager::make(sessions, enqueuedHeaders);
    manager->setEnvironment(environment());
    // Sent first, so that the held call goes on its kept connection and no timer of libcurl's
    // wakes the session meanwhile.
    EXPECT_EQ(manager->request(jsonGetEndpoint<Ping>(kPingPath)).status, "ok");
    sandbox.clearRequests();
    expectCancelledWhileHeld("GET", std::string(kPingPath),
                             [manager] { manager->request(jsonGetEndpoint<Ping>(kPingPath)); });
}

}  // namespace
}  // namespace corvend::integration
