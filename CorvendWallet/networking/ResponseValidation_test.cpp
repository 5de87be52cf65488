#include "CorvendWallet/networking/ResponseValidation.hpp"

#include <gtest/gtest.h>

#include <boost/describe.hpp>

#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "CorvendWallet/networking/DefaultErrorProcessor.hpp"

namespace corvend {
namespace {

using model::WalletError;
using platform::DecodingError;

struct Ping {
    std::string status;
};
BOOST_DESCRIBE_STRUCT(Ping, (), (status))

const platform::URL kURL = *platform::URL::make("https://wallet.example/api/x");

Endpoint<Ping> pingEndpoint(EndpointErrorProcessor processor = defaultErrorProcessor()) {
    return Endpoint<Ping>("digitalwallets/v1/ping", HTTPMethod::get(), {}, {{"limit", "1"}},
                          EndpointParametersEncoder::empty(),
                          EndpointDecoder<Ping>::json(sharedResponseDecoder()),
                          std::move(processor));
}

platform::HTTPURLResponse reply(int status, std::map<std::string, std::string> headers = {
                                                {"x-internal-correlation-id", "corr-1"}}) {
    return platform::HTTPURLResponse(kURL, status, std::move(headers));
}

struct Report {
    DecodingError::Kind kind;
    std::string description;
    std::optional<std::string> correlationID;
    std::string method;
    std::string url;
};

// Runs validation and returns the error it raised (or nothing) and what it reported.
struct Outcome {
    std::optional<Ping> value;
    std::optional<WalletError> error;
    std::vector<Report> reports;
};

Outcome validate(const platform::URLResponse* response, std::optional<std::string> body,
                 const Endpoint<Ping>& endpoint = pingEndpoint()) {
    Outcome outcome;
    NetworkManagerErrorReporter reporter{[&](const DecodingError& error,
                                             const std::optional<std::string>& id,
                                             const HTTPMethod& method, const std::string& url) {
        outcome.reports.push_back(
            {error.kind(), error.debugDescription(), id, method.rawValue, url});
    }};
    std::optional<platform::Data> data;
    if (body) data = platform::Data(*body);
    try {
        outcome.value = decodeResponse(response, data, endpoint, reporter);
    } catch (const WalletError& error) {
        outcome.error = error;
    }
    return outcome;
}

TEST(ResponseValidationTest, ErrorMappingTable) {
    const std::optional<std::string> id = "corr-1";
    const auto internal = [&](const char* code) { return WalletError::internalError(code, id); };
    struct Row {
        int status;
        std::optional<std::string> body;
        WalletError expected;
    };
    const std::vector<Row> rows = {
        {401, R"({"error":{"code":"X"}})", WalletError::tokenExpired(id)},
        {403, R"({"error":{"code":"X"}})", internal("I0403")},
        {500, R"({"error":{"code":"X"}})", internal("I0500")},
        {503, R"({"error":{"code":"X"}})", WalletError::serviceUnavailable(id)},
        {404, R"({"error":{"code":"GONE"}})",
         WalletError::dataError({.httpStatus = 404, .code = "GONE", .errorID = id})},
        {404, std::nullopt, internal("I0404")},
        {404, "not json", internal("I0404")},
        {404, R"({"error":{"code":7}})", internal("I0404")},
        {400, std::nullopt, internal("I0006")},
        {502, "<html>bad gateway</html>", internal("I0006")},
        {422, R"({"error":{"code":"V","fieldErrors":[{"field":"amount"}]}})", internal("I0006")},
        {422, R"({"error":{"code":"V","details":["a",1]}})", internal("I0006")},
        {300, std::nullopt, internal("I0006")},
        {199, std::nullopt, internal("I0006")},
        {422,
         R"({"error":{"code":"V","message":null,"details":["a","b"],"fieldErrors":[],"x":1},"y":2})",
         WalletError::dataError({.httpStatus = 422,
                                 .code = "V",
                                 .details = std::vector<std::string>{"a", "b"},
                                 .fieldErrors = std::vector<WalletError::FieldErrorDetails>{},
                                 .errorID = id})},
        {400, R"({"error":{"code":"V","message":"Bad","fieldErrors":[{"field":"f","error":"e"}]}})",
         WalletError::dataError(
             {.httpStatus = 400,
              .code = "V",
              .message = "Bad",
              .fieldErrors = std::vector<WalletError::FieldErrorDetails>{{"f", "e"}},
              .errorID = id})},
    };
    for (const auto& row : rows) {
        const auto response = reply(row.status);
        const auto outcome = validate(&response, row.body);
        ASSERT_TRUE(outcome.error.has_value()) << row.status;
        EXPECT_EQ(*outcome.error, row.expected) << row.status << " " << row.body.value_or("<none>")
                                                << ": " << outcome.error->errorDescription();
        EXPECT_TRUE(outcome.reports.empty());
    }
}

TEST(ResponseValidationTest, SuccessfulStatusesDecodeTheBody) {
    for (int status : {200, 201, 299}) {
        const auto response = reply(status);
        const auto outcome = validate(&response, R"({"status":"ok"})");
        ASSERT_TRUE(outcome.value.has_value()) << status;
        EXPECT_EQ(outcome.value->status, "ok");
    }
}

TEST(ResponseValidationTest, UndecodableBodiesAreReportedThenFail) {
    struct Row {
        std::optional<std::string> body;
        std::string code;
        DecodingError::Kind kind;
        std::string description;  // checked when not empty
    };
    const std::vector<Row> rows = {
        {R"({})", "I0005", DecodingError::Kind::keyNotFound, ""},
        {"", "I0005", DecodingError::Kind::dataCorrupted, ""},
        {std::nullopt, "I0004", DecodingError::Kind::dataCorrupted, "No response data"},
    };
    for (const auto& row : rows) {
        const auto response = reply(200);
        const auto outcome = validate(&response, row.body);
        ASSERT_TRUE(outcome.error.has_value());
        EXPECT_EQ(*outcome.error, WalletError::internalError(row.code, "corr-1"));
        ASSERT_EQ(outcome.reports.size(), 1u);
        const auto& report = outcome.reports[0];
        EXPECT_EQ(report.kind, row.kind);
        if (!row.description.empty()) {
            EXPECT_EQ(report.description, row.description);
        }
        EXPECT_EQ(report.correlationID, "corr-1");
        EXPECT_EQ(report.method, "GET");
        EXPECT_EQ(report.url, "digitalwallets/v1/ping?limit=1");
    }
}

TEST(ResponseValidationTest, CorrelationIdentifierWhateverTheServersCase) {
    const auto upper = reply(401, {{"X-Internal-Correlation-Id", "corr-9"}});
    EXPECT_EQ(validate(&upper, std::nullopt).error, WalletError::tokenExpired("corr-9"));
    const auto none = reply(401, {});
    EXPECT_EQ(validate(&none, std::nullopt).error, WalletError::tokenExpired(std::nullopt));
}

TEST(ResponseValidationTest, OddRepliesAndProcessorsAreI0003) {
    // Not an HTTP reply: no correlation identifier, neither decoder nor processor runs.
    const platform::URLResponse notHTTP(kURL);
    bool processorCalled = false;
    const auto endpoint =
        pingEndpoint({[&](const platform::HTTPURLResponse&, const std::optional<platform::Data>&) {
            processorCalled = true;
        }});
    EXPECT_EQ(validate(&notHTTP, R"({"status":"ok"})", endpoint).error,
              WalletError::internalError("I0003", std::nullopt));
    EXPECT_EQ(validate(nullptr, std::nullopt, endpoint).error,
              WalletError::internalError("I0003", std::nullopt));
    EXPECT_FALSE(processorCalled);

    // A processor that returns instead of throwing.
    const auto status400 = reply(400);
    EXPECT_EQ(validate(&status400, std::nullopt, endpoint).error,
              WalletError::internalError("I0003", "corr-1"));
    EXPECT_TRUE(processorCalled);

    // A decoder failing with something that is not a decoding failure.
    const Endpoint<Ping> odd(
        "x", HTTPMethod::get(), {}, {}, EndpointParametersEncoder::empty(),
        {[](const std::optional<platform::Data>&) -> Ping { throw EndpointError::invalidURL(); }},
        defaultErrorProcessor());
    const auto ok = reply(200);
    const auto outcome = validate(&ok, "{}", odd);
    EXPECT_EQ(outcome.error, WalletError::internalError("I0003", "corr-1"));
    EXPECT_TRUE(outcome.reports.empty());
}

}  // namespace
}  // namespace corvend
