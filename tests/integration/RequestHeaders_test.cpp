// What a configured manager puts on the wire, and what it refuses to send.

#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <cstdint>
#include <string>

#include "platform/http/URLError.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/integration/TestEndpoints.hpp"

namespace corvend::integration {
namespace {

using platform::URLError;

struct Note {
    std::string text;
    std::int64_t count;
};
BOOST_DESCRIBE_STRUCT(Note, (), (text, count))

constexpr std::string_view kNotesPath = "digitalwallets/v1/profile/notes";

using RequestHeadersTest = SandboxTest;

TEST_F(RequestHeadersTest, PostCarriesJsonContentTypeAndExactBody) {
    sandbox.scriptNextReply("POST", std::string(kNotesPath),
                            {.status = 201, .body = R"({"status":"created","time":"t"})"});
    auto manager = configuredManager("user-token-1");

    const auto reply = manager->request(
        jsonPostEndpoint<Ping>(kNotesPath, Note{.text = "say \"hi\" & \u00e9", .count = 3}));
    EXPECT_EQ(reply.status, "created");

    const auto request = sandbox.requests().at(0);
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.headerCount("Content-Type"), 1u);
    EXPECT_EQ(request.header("Content-Type"), "application/json");
    EXPECT_EQ(request.body, "{\"text\":\"say \\\"hi\\\" & \u00e9\",\"count\":3}");
    EXPECT_EQ(request.header("Authorization"), "Bearer user-token-1");
}

TEST_F(RequestHeadersTest, ValuesWithControlCharactersNeverReachTheWire) {
    auto unsafeToken = environment("abc\r\nX-Injected: yes");
    auto unsafeHeader = environment();
    unsafeHeader.headers["Corvend-Wallet-Platform"] = std::string("Linux\0X-Injected", 16);
    for (const auto& unsafe : {unsafeToken, unsafeHeader}) {
        auto manager = makeManager();
        manager->setEnvironment(unsafe);
        const auto error =
            failureOf([&] { return manager->request(jsonGetEndpoint<Ping>(kPingPath)); });
        const auto urlError = error.as<URLError>();
        ASSERT_TRUE(urlError) << error.description();
        EXPECT_EQ(urlError->code(), URLError::Code::invalidHeaderValue);
    }
    EXPECT_TRUE(sandbox.requests().empty());
}

}  // namespace
}  // namespace corvend::integration
