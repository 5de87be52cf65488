// Replies that are not 2xx, and transfers that end without one, as the kit's callers see them.

#include <gtest/gtest.h>

#include <string>

#include "CorvendWallet/foundation/WalletError.hpp"
#include "platform/http/URLError.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/integration/TestEndpoints.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend::integration {
namespace {

using model::WalletError;
using platform::URLError;
using testing::IsWalletError;

constexpr std::string_view kProfilePath = "digitalwallets/v1/profile";

class ErrorMappingTest : public SandboxTest {
  protected:
    std::shared_ptr<NetworkManager> manager = configuredManager("user-token-1");

    Error failedProfileRequest() {
        return failureOf([&] { return manager->request(jsonGetEndpoint<Ping>(kProfilePath)); });
    }
};

TEST_F(ErrorMappingTest, ServerErrorsMapWithTheCorrelationHeaderInAnyCaseOrWithout) {
    const std::string path(kProfilePath);
    sandbox.scriptNextReply(
        "GET", path, {.status = 500, .headers = {{"X-Internal-Correlation-Id", "Mixed-Case-7"}}});
    EXPECT_THAT(failedProfileRequest(),
                IsWalletError(WalletError::internalError("I0500", "Mixed-Case-7")));
    sandbox.scriptNextReply("GET", path, {.status = 503, .sendCorrelationId = false});
    EXPECT_THAT(failedProfileRequest(), IsWalletError(WalletError::serviceUnavailable()));
    EXPECT_EQ(sandbox.requests().size(), 2u);  // nothing retried
}

// A dropped connection is the transport's error, unchanged. A change is never sent again: it
// could repeat what the service has already carried out. A read goes once more, on a new
// connection (dropped too here), and never more.
TEST_F(ErrorMappingTest, ADroppedRequestIsNeverSentTwiceOverAReusedConnection) {
    for (const auto* method : {"GET", "POST"}) {
        sandbox.clearRequests();
        manager->request(jsonGetEndpoint<Ping>(kPingPath));  // leaves a connection to reuse
        const bool read = std::string(method) == "GET";
        for (int drop = 0; drop < (read ? 2 : 1); ++drop) {
            sandbox.scriptNextReply(method, std::string(kProfilePath), {.dropConnection = true});
        }

        const auto error = failureOf([&] {
            return read ? manager->request(jsonGetEndpoint<Ping>(kProfilePath))
                        : manager->request(jsonPostEndpoint<Ping>(kProfilePath, Ping{"a", "b"}));
        });

        const auto urlError = error.as<URLError>();
        ASSERT_TRUE(urlError) << error.description();
        EXPECT_EQ(urlError->code(), URLError::Code::networkConnectionLost);
        // The ping and one attempt, or two for the read.
        EXPECT_EQ(sandbox.requests().size(), read ? 3u : 2u) << method;
    }
}

}  // namespace
}  // namespace corvend::integration
