#include "CorvendWallet/core/setup/EventsTrackingEndpoint.hpp"

#include <gtest/gtest.h>

#include <chrono>

#include "CorvendWallet/core/foundation/WalletError.hpp"

namespace corvend {
namespace {

using Wire = EventsTrackingEndpoint::ErrorEvent;

// 2024-03-05, `sinceMidnight` later, UTC.
platform::Date marchFifth(std::chrono::microseconds sinceMidnight) {
    using namespace std::chrono;
    return platform::Date(sys_days{2024y / March / 5} + sinceMidnight);
}

Wire fullDocument() {
    using namespace std::chrono_literals;
    return Wire{
        .eventID = "corr-1",
        .eventName = "DECODING_ERROR",
        .timestamp = marchFifth(10h + 9min + 750ms),
        .walletMetadata = {"CorvendWalletiOS/1.2.3 (iOS 17.2; Mobile)", "iOS-1.2.3", "iOS 17.2"},
        .httpDetails = Wire::HttpDetails{"digitalwallets/v1/profile?limit=1", "GET"},
        .parameters = std::vector<Wire::Parameter>{{"message", "No response data"}},
    };
}

std::string bodyText(const Endpoint<platform::EmptyResponse>& endpoint) {
    const auto body = endpoint.parametersEncoder().encode();
    return body ? std::string(body->view()) : std::string("<no body>");
}

TEST(EventsTrackingEndpointTest, WritesTheWireDocument) {
    const std::string metadata =
        R"j("walletMetadata":{"userAgent":"CorvendWalletiOS/1.2.3 (iOS 17.2; Mobile)",)j"
        R"("walletVersion":"iOS-1.2.3","walletPlatform":"iOS 17.2"})";
    struct Row {
        const char* name;
        std::function<void(Wire&)> change;
        std::string expected;
    };
    const Row rows[] = {
        {"full", [](Wire&) {},
         R"({"eventId":"corr-1","eventName":"DECODING_ERROR","timestamp":"2024-03-05T10:09:00Z",)" +
             metadata +
             R"(,"httpDetails":{"url":"digitalwallets/v1/profile?limit=1","method":"GET"},)"
             R"("parameters":[{"key":"message","value":"No response data"}]})"},
        {"absent optionals are left out, not null",
         [](Wire& w) {
             w.eventID.reset();
             w.httpDetails.reset();
             w.parameters.reset();
         },
         R"({"eventName":"DECODING_ERROR","timestamp":"2024-03-05T10:09:00Z",)" + metadata + "}"},
        {"an empty parameter list stays a list",
         [](Wire& w) {
             w.eventID.reset();
             w.parameters.emplace();
         },
         R"({"eventName":"DECODING_ERROR","timestamp":"2024-03-05T10:09:00Z",)" + metadata +
             R"(,"httpDetails":{"url":"digitalwallets/v1/profile?limit=1","method":"GET"},)"
             R"("parameters":[]})"},
        {"text is escaped",
         [](Wire& w) {
             w.httpDetails.reset();
             w.parameters = {{{"message", "Expected \"a\"\nat\tx\\y"}}};
         },
         R"({"eventId":"corr-1","eventName":"DECODING_ERROR","timestamp":"2024-03-05T10:09:00Z",)" +
             metadata + R"(,"parameters":[{"key":"message","value":"Expected \"a\"\nat\tx\\y"}]})"},
    };
    for (const auto& row : rows) {
        Wire document = fullDocument();
        row.change(document);
        EXPECT_EQ(bodyText(EventsTrackingEndpoint::trackError(document)), row.expected) << row.name;
    }
}

TEST(EventsTrackingEndpointTest, EndpointShape) {
    const auto endpoint = EventsTrackingEndpoint::trackError(fullDocument());
    EXPECT_EQ(endpoint.httpMethod().rawValue, "POST");
    EXPECT_EQ(endpoint.urlText(), "digitalwallets/v1/events-tracking/errors");
    ASSERT_TRUE(endpoint.urlComponents().has_value());
    EXPECT_FALSE(endpoint.urlComponents()->queryItems().has_value());
    EXPECT_TRUE(endpoint.httpHeaders().empty());
    EXPECT_EQ(endpoint.parametersEncoder().contentType, "application/json");

    const auto base = platform::URL::make("https://wallet.example/api/");
    ASSERT_TRUE(base.has_value());
    const auto request = endpoint.urlRequest(*base);
    EXPECT_EQ(request.url().absoluteString(),
              "https://wallet.example/api/digitalwallets/v1/events-tracking/errors");
    EXPECT_EQ(request.httpMethod(), "POST");
    EXPECT_EQ(request.value("Content-Type"), "application/json");
    ASSERT_TRUE(request.httpBody().has_value());
    EXPECT_EQ(request.httpBody()->view(), bodyText(endpoint));
}

TEST(EventsTrackingEndpointTest, AnyReplyBodyIsAcceptedUnread) {
    const auto endpoint = EventsTrackingEndpoint::trackError(fullDocument());
    const std::optional<platform::Data> bodies[] = {
        std::nullopt, platform::Data(""), platform::Data("{}"), platform::Data("not json"),
        platform::Data(R"({"eventId": 5})")};
    for (const auto& body : bodies) {
        EXPECT_NO_THROW(endpoint.responseDecoder().decode(body));
    }
}

TEST(EventsTrackingEndpointTest, NonSuccessRepliesGoThroughTheDefaultErrorProcessor) {
    using model::WalletError;
    const auto endpoint = EventsTrackingEndpoint::trackError(fullDocument());
    const auto url = platform::URL::make("https://wallet.example/x");
    ASSERT_TRUE(url.has_value());
    struct Row {
        int status;
        WalletError expected;
    };
    const Row rows[] = {
        {401, WalletError::tokenExpired("id-1")},
        {503, WalletError::serviceUnavailable("id-1")},
        {400, WalletError::internalError("I0006", "id-1")},
    };
    for (const auto& row : rows) {
        const platform::HTTPURLResponse response(*url, row.status,
                                                 {{"x-internal-correlation-id", "id-1"}});
        try {
            endpoint.errorProcessor().processError(response, std::nullopt);
            ADD_FAILURE() << row.status << " did not throw";
        } catch (const WalletError& error) {
            EXPECT_EQ(error, row.expected) << row.status;
        }
    }
}

}  // namespace
}  // namespace corvend
