// What a configured manager puts on the wire, and what it refuses to send.

#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <cstdint>
#include <string>

#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "platform/http/URLError.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/integration/TestEndpoints.hpp"

namespace corvend::integration {
namespace {

using model::WalletError;
using platform::URLError;

struct Note {
    std::string text;
    std::int64_t count;
};
BOOST_DESCRIBE_STRUCT(Note, (), (text, count))

constexpr std::string_view kNotesPath = "digitalwallets/v1/profile/notes";

class RequestHeadersTest : public SandboxTest {
  protected:
    // Each kit header arrives once, with the provider's value.
    void expectKitHeaders(const sandbox::RecordedRequest& request) {
        for (const auto& [name, value] : properties->headers()) {
            EXPECT_EQ(request.headerCount(name), 1u) << name;
            EXPECT_EQ(request.header(name), value) << name;
        }
    }
};

TEST_F(RequestHeadersTest, GetCarriesKitHeadersAndBearerOnlyWhenTokenHeld) {
    auto manager = configuredManager();

    EXPECT_EQ(manager->request(getEndpoint<Ping>(kPingPath)).status, "ok");
    manager->setAccessToken("user-token-1");
    EXPECT_EQ(manager->request(getEndpoint<Ping>(kPingPath)).status, "ok");

    const auto requests = sandbox.requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const auto& request : requests) {
        EXPECT_EQ(request.method, "GET");
        EXPECT_EQ(request.target, "/" + std::string(kPingPath));
        expectKitHeaders(request);
        EXPECT_TRUE(request.body.empty());
        EXPECT_EQ(request.headerCount("Content-Type"), 0u);
    }
    EXPECT_EQ(requests[0].headerCount("Authorization"), 0u);
    EXPECT_EQ(requests[1].headerCount("Authorization"), 1u);
    EXPECT_EQ(requests[1].header("Authorization"), "Bearer user-token-1");
}

TEST_F(RequestHeadersTest, PostCarriesJsonContentTypeAndExactBody) {
    sandbox.scriptNextReply("POST", std::string(kNotesPath),
                            {.status = 201, .body = R"({"status":"created","time":"t"})"});
    auto manager = configuredManager("user-token-1");

    const auto reply = manager->request(
        postEndpoint<Ping>(kNotesPath, Note{.text = "say \"hi\" & \u00e9", .count = 3}));
    EXPECT_EQ(reply.status, "created");

    const auto requests = sandbox.requests();
    ASSERT_EQ(requests.size(), 1u);
    const auto& request = requests.front();
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.target, "/" + std::string(kNotesPath));
    EXPECT_EQ(request.headerCount("Content-Type"), 1u);
    EXPECT_EQ(request.header("Content-Type"), "application/json");
    EXPECT_EQ(request.body, "{\"text\":\"say \\\"hi\\\" & \u00e9\",\"count\":3}");
    EXPECT_EQ(request.header("Authorization"), "Bearer user-token-1");
    expectKitHeaders(request);
}

TEST_F(RequestHeadersTest, RequestBeforeAnyEnvironmentIsNotConfiguredAndSendsNothing) {
    auto manager = makeManager();

    const auto error = failureOf([&] { return manager->request(getEndpoint<Ping>(kPingPath)); });
    EXPECT_EQ(error.as<WalletError>(), WalletError::notConfigured());

    // The refused request is not kept for later: once configured, only the new one arrives.
    manager->setEnvironment(environment());
    EXPECT_EQ(manager->request(getEndpoint<Ping>(kPingPath)).status, "ok");
    EXPECT_EQ(sandbox.requests().size(), 1u);
}

struct UnsafeValueCase {
    const char* name;
    std::optional<std::string> token;
    std::optional<std::string> platformHeader;
};

class UnsafeHeaderValueTest : public RequestHeadersTest,
                              public ::testing::WithParamInterface<UnsafeValueCase> {};

TEST_P(UnsafeHeaderValueTest, NeverReachesTheWire) {
    const auto& param = GetParam();
    auto unsafe = environment(param.token);
    if (param.platformHeader) unsafe.headers["Corvend-Wallet-Platform"] = *param.platformHeader;
    auto manager = makeManager();
    manager->setEnvironment(unsafe);

    const auto error = failureOf([&] { return manager->request(getEndpoint<Ping>(kPingPath)); });
    const auto urlError = error.as<URLError>();
    ASSERT_TRUE(urlError) << error.description();
    EXPECT_EQ(urlError->code(), URLError::Code::invalidHeaderValue);
    EXPECT_TRUE(sandbox.requests().empty());

    // The same manager, made safe again, sends normally: only this request arrives.
    manager->setEnvironment(environment());
    EXPECT_EQ(manager->request(getEndpoint<Ping>(kPingPath)).status, "ok");
    const auto requests = sandbox.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests.front().headerCount("X-Injected"), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    ControlCharacters, UnsafeHeaderValueTest,
    ::testing::Values(UnsafeValueCase{"TokenWithCRLF", "abc\r\nX-Injected: yes", std::nullopt},
                      UnsafeValueCase{"TokenWithLF", "abc\nX-Injected: yes", std::nullopt},
                      UnsafeValueCase{"TokenWithNUL", std::string("abc\0X-Injected", 14),
                                      std::nullopt},
                      UnsafeValueCase{"HeaderWithCR", std::nullopt, "Linux\rX-Injected: yes"},
                      UnsafeValueCase{"HeaderWithCRLF", std::nullopt, "Linux\r\nX-Injected: yes"},
                      UnsafeValueCase{"HeaderWithNUL", std::nullopt, std::string("Linux\0X", 7)}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvend::integration
