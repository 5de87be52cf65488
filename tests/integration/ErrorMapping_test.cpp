// Replies that are not 2xx, and transfers that end without one, as the kit's callers see them.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "CorvendWallet/core/foundation/WalletError.hpp"
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
        return failureOf([&] { return manager->request(getEndpoint<Ping>(kProfilePath)); });
    }
};

TEST_F(ErrorMappingTest, RepliesTheTransportShapesMapAsTheServiceWouldHaveThem) {
    struct Row {
        const char* name;
        sandbox::ScriptedReply reply;
        std::function<WalletError(std::optional<std::string> id)> expected;
    };
    const Row rows[] = {
        {"not found without a body",
         {.status = 404, .contentType = ""},
         [](auto id) { return WalletError::internalError("I0404", id); }},
        // A redirect is not followed: it is a failure like any non-2xx reply.
        {"redirect",
         {.status = 302,
          .headers = {{"Location", "/" + std::string(kPingPath)}},
          .contentType = ""},
         [](auto id) { return WalletError::internalError("I0006", id); }},
        // Whatever the case the server writes the correlation header in, the kit finds it.
        {"correlation header in another case",
         {.status = 500, .headers = {{"X-Internal-Correlation-Id", "Mixed-Case-7"}}},
         [](auto id) {
             EXPECT_EQ(id, "Mixed-Case-7");
             return WalletError::internalError("I0500", id);
         }},
        {"no correlation header",
         {.status = 503, .sendCorrelationId = false},
         [](auto id) { return WalletError::serviceUnavailable(id); }},
    };
    for (const auto& row : rows) {
        sandbox.clearRequests();
        sandbox.scriptNextReply("GET", std::string(kProfilePath), row.reply);
        const auto error = failedProfileRequest();
        EXPECT_THAT(error, IsWalletError(row.expected(lastRecordedCorrelationId()))) << row.name;
        EXPECT_EQ(sandbox.requests().size(), 1u) << row.name;  // nothing retried or followed
    }
}

// A dropped connection is the transport's error, unchanged, and is never retried: a retry
// could repeat a request that the service has already carried out.
TEST_F(ErrorMappingTest, ADroppedRequestIsNeverSentTwiceOverAReusedConnection) {
    for (const auto* method : {"GET", "POST"}) {
        sandbox.clearRequests();
        manager->request(getEndpoint<Ping>(kPingPath));  // leaves a connection to reuse
        sandbox.scriptNextReply(method, std::string(kProfilePath), {.dropConnection = true});

        const auto error = failureOf([&] {
            return std::string(method) == "GET"
                       ? manager->request(getEndpoint<Ping>(kProfilePath))
                       : manager->request(postEndpoint<Ping>(kProfilePath, Ping{"a", "b"}));
        });

        const auto urlError = error.as<URLError>();
        ASSERT_TRUE(urlError) << error.description();
        EXPECT_EQ(urlError->code(), URLError::Code::networkConnectionLost);
        EXPECT_EQ(sandbox.requests().size(), 2u) << method;  // the ping and one attempt
    }
}

}  // namespace
}  // namespace corvend::integration
