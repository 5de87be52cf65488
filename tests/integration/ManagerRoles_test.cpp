// The three managers the kit builds, one per authentication role, each sending only its own
// bearer token.

#include <gtest/gtest.h>

#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/integration/TestEndpoints.hpp"

namespace corvend::integration {
namespace {

using model::WalletError;

class ManagerRolesTest : public SandboxTest {
  protected:
    ManagerRolesTest() {
        // As the set-up does: every manager gets an environment without token, then only the
        // weakly authenticated one gets the configuration token.
        for (const auto& manager : {unauthenticated, userAuthenticated, weaklyAuthenticated}) {
            manager->setEnvironment(environment());
        }
        weaklyAuthenticated->setAccessToken(options.configurationToken);
    }

    const sandbox::SandboxOptions options{};
    const std::shared_ptr<NetworkManager> unauthenticated = makeManager();
    const std::shared_ptr<NetworkManager> userAuthenticated = makeManager();
    const std::shared_ptr<NetworkManager> weaklyAuthenticated = makeManager();
};

TEST_F(ManagerRolesTest, OnlyTheWeaklyAuthenticatedManagerReadsTheConfiguration) {
    const auto configuration =
        weaklyAuthenticated->request(getEndpoint<ConfigurationReply>(kConfigurationPath));
    EXPECT_EQ(configuration.deviceScreening.organizationId, options.organizationId);
    EXPECT_EQ(configuration.deviceScreening.screenHost, options.screenHost);
    EXPECT_EQ(configuration.deviceScreening.sessionExpiry, options.sessionExpiryMilliseconds);

    userAuthenticated->setAccessToken("user-token-1");
    for (const auto& manager : {unauthenticated, userAuthenticated}) {
        const auto error = failureOf(
            [&] { return manager->request(getEndpoint<ConfigurationReply>(kConfigurationPath)); });
        const auto correlationId = lastRecordedCorrelationId();
        ASSERT_TRUE(correlationId);
        EXPECT_EQ(correlationId, sandbox.lastCorrelationId());
        EXPECT_EQ(error.as<WalletError>(), WalletError::tokenExpired(correlationId))
            << error.description();
    }
}

TEST_F(ManagerRolesTest, UserTokenIsSentOnlyByTheUserManager) {
    userAuthenticated->setAccessToken("user-token-1");

    for (const auto& manager : {unauthenticated, userAuthenticated, weaklyAuthenticated}) {
        EXPECT_EQ(manager->request(getEndpoint<Ping>(kPingPath)).status, "ok");
    }

    const auto requests = sandbox.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].headerCount("Authorization"), 0u);
    EXPECT_EQ(requests[1].header("Authorization"), "Bearer user-token-1");
    EXPECT_EQ(requests[2].header("Authorization"), "Bearer " + options.configurationToken);
    for (const auto& request : requests) EXPECT_LE(request.headerCount("Authorization"), 1u);
}

TEST_F(ManagerRolesTest, NewEnvironmentDropsTheEarlierToken) {
    userAuthenticated->setAccessToken("user-token-1");
    userAuthenticated->setEnvironment(environment());

    EXPECT_EQ(userAuthenticated->request(getEndpoint<Ping>(kPingPath)).status, "ok");
    const auto requests = sandbox.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests.front().headerCount("Authorization"), 0u);
}

}  // namespace
}  // namespace corvend::integration
