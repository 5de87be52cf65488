// The kit against a server that misbehaves on the wire: every fault ends the call, with the
// transport's error or the kit's, never a hang or a crash.

#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <cstdint>
#include <ostream>
#include <string>
#include <variant>

#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/networking/SessionManager.hpp"
#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/integration/TestEndpoints.hpp"
#include "tests/support/FaultServer.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend::integration {
namespace {

using model::WalletError;
using platform::URLError;
using testing::FaultServer;
using Then = FaultServer::Then;

struct Sample {
    std::string name;
    std::int32_t count = 0;
    friend bool operator==(const Sample&, const Sample&) = default;
    friend void PrintTo(const Sample& sample, std::ostream* out) {
        *out << sample.name << " " << sample.count;
    }
};
BOOST_DESCRIBE_STRUCT(Sample, (), (name, count))

constexpr const char* kCorrelationId = "fault-7";

// A status line, the correlation header, `fields` (each ending in CRLF) and the blank line.
std::string head(const std::string& status, const std::string& fields) {
    return "HTTP/1.1 " + status + "\r\nx-internal-correlation-id: " + kCorrelationId + "\r\n" +
           fields + "\r\n";
}

std::string jsonReply(const std::string& body, const std::string& fields = "") {
    return head("200 OK", fields + "Content-Type: application/json\r\nContent-Length: " +
                              std::to_string(body.size()) + "\r\n") +
           body;
}

std::string manyHeaders(int count) {
    std::string fields;
    for (int i = 0; i < count; ++i) fields += "x-filler-" + std::to_string(i) + ": v\r\n";
    return fields;
}

TEST(FaultMatrixTest, EveryFaultEndsTheCallWithItsError) {
    using Expected = std::variant<URLError::Code, WalletError, Sample>;
    struct Row {
        const char* name;
        FaultServer::Script script;
        Expected expected;
        std::string path = "s";
        int connections = 1;  // never a second attempt
    };
    const WalletError undecodable = WalletError::internalError("I0005", kCorrelationId);
    const std::string deep(100'000, '[');
    const std::string shortBody = head("200 OK", "Content-Length: 100\r\n") + R"({"name":)";
    const Row rows[] = {
        {"reply never comes", {"", Then::holdOpen}, URLError::Code::timedOut},
        {"reset mid-body", {shortBody, Then::reset}, URLError::Code::networkConnectionLost},
        {"body shorter than its length, closed",
         {shortBody, Then::close},
         URLError::Code::networkConnectionLost},
        {"body shorter than its length, left open",
         {shortBody, Then::holdOpen},
         URLError::Code::timedOut},
        // Bytes keep coming, so the idle time-out never fires; the whole-transfer cap does.
        {"slow drip",
         {head("200 OK", "Content-Length: 100000\r\n"), Then::drip, "{ "},
         URLError::Code::timedOut},
        {"body over the cap, announced",
         {head("200 OK", "Content-Length: 2097152\r\n") + std::string(2 << 20, ' ')},
         URLError::Code::dataLengthExceedsMaximum},
        {"body over the cap, streamed",
         {head("200 OK", "Transfer-Encoding: chunked\r\n") + "200000\r\n" +
          std::string(2 << 20, ' ') + "\r\n0\r\n\r\n"},
         URLError::Code::dataLengthExceedsMaximum},
        {"garbage status line", {"HELLO THERE\r\n\r\n"}, URLError::Code::badServerResponse},
        {"broken chunking",
         {head("200 OK", "Transfer-Encoding: chunked\r\n") + "zz\r\n{}\r\n0\r\n\r\n"},
         URLError::Code::cannotParseResponse},
        // A redirect is not followed: it is an unexpected status like any other.
        {"redirect to another host",
         {head("302 Found", "Location: http://192.0.2.1/elsewhere\r\nContent-Length: 0\r\n")},
         WalletError::internalError("I0006", kCorrelationId)},
        {"10,000 header fields",
         {jsonReply(R"({"name":"a","count":1})", manyHeaders(10'000))},
         Sample{"a", 1}},
        {"body not UTF-8", {jsonReply("{\"name\":\"\xff\xfe\",\"count\":1}")}, undecodable},
        // An unknown member is skipped without being read, however deep it nests.
        {"deep nesting in an unknown member",
         {jsonReply(R"({"name":"a","count":1,"x":)" + deep + std::string(100'000, ']') + "}")},
         Sample{"a", 1}},
        {"deep nesting never closed",
         {jsonReply(R"({"name":"a","count":1,"x":)" + deep + "}")},
         undecodable},
        {"duplicate members",
         {jsonReply(R"({"name":"first","name":"second","count":2})")},
         Sample{"second", 2}},
        {"integer above its range", {jsonReply(R"({"name":"a","count":2147483648})")}, undecodable},
        {"integer below its range",
         {jsonReply(R"({"name":"a","count":-2147483649})")},
         undecodable},
        // Refused by the kit before anything is sent.
        {"URL over 8 KiB",
         {""},
         WalletError::internalError("I0001", std::nullopt),
         std::string(9'000, 'u'),
         0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FaultServer server(row.script);
        platform::URLSessionConfiguration configuration;
        configuration.timeoutIntervalForResource = platform::URLRequest::Seconds(2);
        configuration.maximumResponseBodyBytes = 1 << 20;
        const auto manager = NetworkManager::make(
            std::make_shared<SessionManager>(platform::URLSession::make(std::move(configuration))),
            std::make_shared<EnqueuedHeadersProvider>());
        manager->setEnvironment({.baseURL = *platform::URL::make(server.baseURL()),
                                 .headers = {},
                                 .accessToken = std::nullopt,
                                 .timeout = 1});

        // inTask fails the row when the call has not ended by the deadline.
        const auto result = captureResult([&] {
            return inTask([&] { return manager->request(jsonGetEndpoint<Sample>(row.path)); });
        });

        EXPECT_EQ(server.accepted(), row.connections);
        if (const auto* sample = std::get_if<Sample>(&row.expected)) {
            ASSERT_TRUE(result.has_value()) << result.error().description();
            EXPECT_EQ(*result, *sample);
        } else if (const auto* walletError = std::get_if<WalletError>(&row.expected)) {
            EXPECT_THAT(result, testing::IsWalletError(*walletError));
        } else {
            ASSERT_FALSE(result.has_value());
            const auto urlError = result.error().as<URLError>();
            ASSERT_TRUE(urlError) << result.error().description();
            EXPECT_EQ(urlError->code(), std::get<URLError::Code>(row.expected))
                << urlError->description();
        }
    }
}

}  // namespace
}  // namespace corvend::integration
