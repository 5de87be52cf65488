// A request whose reply is held by the service, cancelled while it waits.

#include <gtest/gtest.h>

#include <string>

#include "tests/integration/SandboxTest.hpp"
#include "tests/integration/TestEndpoints.hpp"

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
}

}  // namespace
}  // namespace corvend::integration
