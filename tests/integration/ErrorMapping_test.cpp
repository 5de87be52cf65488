// Replies that are not 2xx, and transfers that end without one, as the kit's callers see them.

#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <functional>
#include <string>

#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "platform/http/URLError.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/integration/TestEndpoints.hpp"

namespace corvend::integration {
namespace {

using model::WalletError;
using platform::URLError;

constexpr std::string_view kProfilePath = "digitalwallets/v1/profile";

// An event the service refuses: it has no "eventName".
struct NamelessEvent {
    std::string note;
};
BOOST_DESCRIBE_STRUCT(NamelessEvent, (), (note))

class ErrorMappingTest : public SandboxTest {
  protected:
    std::shared_ptr<NetworkManager> manager = configuredManager("user-token-1");

    Error failedProfileRequest() {
        return failureOf([&] { return manager->request(getEndpoint<Ping>(kProfilePath)); });
    }
};

TEST_F(ErrorMappingTest, ServiceErrorDocumentWithFieldErrorsBecomesDataError) {
    const auto error = failureOf(
        [&] { return manager->request(postEndpoint<Ping>(kEventsPath, NamelessEvent{"x"})); });

    const auto walletError = error.as<WalletError>();
    ASSERT_TRUE(walletError) << error.description();
    const auto* data = walletError->as<WalletError::DataError>();
    ASSERT_NE(data, nullptr) << error.description();
    EXPECT_EQ(data->details.httpStatus, 400);
    EXPECT_EQ(data->details.code, "BAD_REQUEST");
    EXPECT_EQ(data->details.message, "The event is not valid.");
    EXPECT_EQ(data->details.details, std::nullopt);
    const std::vector<WalletError::FieldErrorDetails> expected{{"eventName", "is required"}};
    EXPECT_EQ(data->details.fieldErrors, expected);
    ASSERT_TRUE(data->details.errorID);
    EXPECT_EQ(data->details.errorID, lastRecordedCorrelationId());
    EXPECT_EQ(walletError->errorID(), data->details.errorID);
}

TEST_F(ErrorMappingTest, UnknownRouteAnswersNotFoundDocument) {
    const auto error = failureOf(
        [&] { return manager->request(getEndpoint<Ping>("digitalwallets/v1/no-such-thing")); });

    const auto walletError = error.as<WalletError>();
    ASSERT_TRUE(walletError) << error.description();
    const auto* data = walletError->as<WalletError::DataError>();
    ASSERT_NE(data, nullptr) << error.description();
    EXPECT_EQ(data->details.httpStatus, 404);
    EXPECT_EQ(data->details.code, "NOT_FOUND");
    EXPECT_EQ(data->details.errorID, lastRecordedCorrelationId());
}

struct StatusCase {
    const char* name;
    sandbox::ScriptedReply reply;
    // The error expected for a reply that carried `id`.
    std::function<WalletError(std::optional<std::string> id)> expected;
};

const std::string kDocument = R"({"error":{"code":"SOMETHING","message":"ignored"}})";

class ScriptedStatusTest : public ErrorMappingTest,
                           public ::testing::WithParamInterface<StatusCase> {};

TEST_P(ScriptedStatusTest, MapsAsTheErrorTableSays) {
    sandbox.scriptNextReply("GET", std::string(kProfilePath), GetParam().reply);

    const auto error = failedProfileRequest();

    const auto id = lastRecordedCorrelationId();
    ASSERT_TRUE(id);
    const auto walletError = error.as<WalletError>();
    ASSERT_TRUE(walletError) << error.description();
    EXPECT_EQ(*walletError, GetParam().expected(id))
        << walletError->errorDescription() << " / " << GetParam().expected(id).errorDescription();
    EXPECT_EQ(sandbox.requests().size(), 1u);  // nothing retried, no redirect followed
}

WalletError internal(const char* code, std::optional<std::string> id) {
    return WalletError::internalError(code, std::move(id));
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, ScriptedStatusTest,
    ::testing::Values(
        StatusCase{"Unauthorized",
                   {.status = 401, .body = kDocument},
                   [](auto id) { return WalletError::tokenExpired(id); }},
        StatusCase{"Forbidden",
                   {.status = 403, .body = kDocument},
                   [](auto id) { return internal("I0403", id); }},
        StatusCase{"NotFoundWithoutBody",
                   {.status = 404, .contentType = ""},
                   [](auto id) { return internal("I0404", id); }},
        StatusCase{"NotFoundWithHtml",
                   {.status = 404, .body = "<html>gone</html>", .contentType = "text/html"},
                   [](auto id) { return internal("I0404", id); }},
        StatusCase{"InternalServerError",
                   {.status = 500, .body = kDocument},
                   [](auto id) { return internal("I0500", id); }},
        StatusCase{"ServiceUnavailable",
                   {.status = 503, .body = kDocument},
                   [](auto id) { return WalletError::serviceUnavailable(id); }},
        StatusCase{"BadGatewayHtml",
                   {.status = 502,
                    .body = "<html><body>Bad gateway</body></html>",
                    .contentType = "text/html"},
                   [](auto id) { return internal("I0006", id); }},
        StatusCase{"BadRequestWithoutBody",
                   {.status = 400, .contentType = ""},
                   [](auto id) { return internal("I0006", id); }},
        StatusCase{"ConflictWithCodeOnly",
                   {.status = 409, .body = R"({"error":{"code":"CONFLICT","extra":1}})"},
                   [](auto id) {
                       return WalletError::dataError(
                           {.httpStatus = 409, .code = "CONFLICT", .errorID = id});
                   }},
        // A redirect is not followed: it is a failure like any non-2xx reply.
        StatusCase{"RedirectToPing",
                   {.status = 302,
                    .headers = {{"Location", "/" + std::string(kPingPath)}},
                    .contentType = ""},
                   [](auto id) { return internal("I0006", id); }},
        // Whatever the case the server writes the correlation header in, the kit finds it.
        StatusCase{"CorrelationHeaderInOtherCase",
                   {.status = 500, .headers = {{"X-Internal-Correlation-Id", "Mixed-Case-7"}}},
                   [](auto id) {
                       EXPECT_EQ(id, "Mixed-Case-7");
                       return internal("I0500", id);
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ErrorMappingTest, ReplyWithoutCorrelationHeaderHasNoErrorId) {
    sandbox.scriptNextReply("GET", std::string(kProfilePath),
                            {.status = 503, .sendCorrelationId = false});

    EXPECT_EQ(failedProfileRequest().as<WalletError>(), WalletError::serviceUnavailable());
}

TEST_F(ErrorMappingTest, DroppedConnectionIsTheTransportErrorUnchanged) {
    sandbox.scriptNextReply("GET", std::string(kProfilePath), {.dropConnection = true});

    const auto error = failedProfileRequest();

    EXPECT_FALSE(error.is<WalletError>()) << error.description();
    const auto urlError = error.as<URLError>();
    ASSERT_TRUE(urlError) << error.description();
    EXPECT_EQ(urlError->code(), URLError::Code::networkConnectionLost) << urlError->description();
    EXPECT_EQ(sandbox.requests().size(), 1u);
}

TEST_F(ErrorMappingTest, ARequestIsNeverSentTwiceOverAReusedConnection) {
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
