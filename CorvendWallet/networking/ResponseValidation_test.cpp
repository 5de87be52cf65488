#include "CorvendWallet/networking/ResponseValidation.hpp"

#include <gtest/gtest.h>

#include <boost/describe.hpp>

#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/networking/DefaultErrorProcessor.hpp"
#include "platform/async/CancellationError.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend {
namespace {

using model::WalletError;
using platform::DecodingError;
using testing::ThrowsWalletError;

struct Ping {
    std::string status;
};
BOOST_DESCRIBE_STRUCT(Ping, (), (status))

const platform::URL kURL = *platform::URL::make("https://wallet.example/api/x");
const std::optional<std::string> kID = "corr-1";

Endpoint<Ping> pingEndpoint(EndpointErrorProcessor processor = defaultErrorProcessor()) {
    return Endpoint<Ping>("digitalwallets/v1/ping", HTTPMethod::get(), {}, {{"limit", "1"}},
                          EndpointParametersEncoder::empty(),
                          EndpointDecoder<Ping>::json(sharedResponseDecoder()),
                          std::move(processor));
}

platform::HTTPURLResponse reply(int status) {
    return platform::HTTPURLResponse(kURL, status, {{"x-internal-correlation-id", *kID}});
}

struct Report {
    DecodingError::Kind kind;
    std::string description;
    std::string context;  // correlation identifier, method and address
};

// Validates replies with a reporter that records what it receives.
struct Validation {
    std::vector<Report> reports;

    Ping operator()(const platform::URLResponse* response, std::optional<std::string> body,
                    const Endpoint<Ping>& endpoint = pingEndpoint()) {
        NetworkManagerErrorReporter reporter{
            [this](const DecodingError& error, const std::optional<std::string>& id,
                   const HTTPMethod& method, const std::string& url) {
                reports.push_back({error.kind(), error.debugDescription(),
                                   id.value_or("none") + " " + method.rawValue + " " + url});
            }};
        std::optional<platform::Data> data;
        if (body) data = platform::Data(*body);
        return decodeResponse(response, data, endpoint, reporter);
    }
};

// 500 and 503, and the correlation header, are mapped in the integration tests.
TEST(ResponseValidationTest, ErrorRepliesMapToTheKitsErrors) {
    struct Row {
        int status;
        std::optional<std::string> body;
        WalletError expected;
    };
    const auto internal = [](const char* code) { return WalletError::internalError(code, kID); };
    const std::string document = R"({"error":{"code":"GONE"}})";
    const std::vector<Row> rows = {
        // Statuses with an answer of their own leave the body unread.
        {401, document, WalletError::tokenExpired(kID)},
        {403, document, internal("I0403")},
        {404, document,
         WalletError::dataError({.httpStatus = 404, .code = "GONE", .errorID = kID})},
        {400, R"({"error":{"code":"V","message":"Bad","fieldErrors":[{"field":"f","error":"e"}]}})",
         WalletError::dataError(
             {.httpStatus = 400,
              .code = "V",
              .message = "Bad",
              .fieldErrors = std::vector<WalletError::FieldErrorDetails>{{"f", "e"}},
              .errorID = kID})},
        {422,
         R"({"error":{"code":"V","message":null,"details":["a","b"],"fieldErrors":[],"x":1},"y":2})",
         WalletError::dataError({.httpStatus = 422,
                                 .code = "V",
                                 .details = std::vector<std::string>{"a", "b"},
                                 .fieldErrors = std::vector<WalletError::FieldErrorDetails>{},
                                 .errorID = kID})},
        // Documents that only look right fall back to the status's code.
        {404, "not json", internal("I0404")},
        {422, R"({"error":{"code":"V","fieldErrors":[{"field":"amount"}]}})", internal("I0006")},
        {199, std::nullopt, internal("I0006")},
    };
    for (const auto& row : rows) {
        Validation validate;
        const auto response = reply(row.status);
        EXPECT_THAT([&] { validate(&response, row.body); }, ThrowsWalletError(row.expected))
            << row.status << " " << row.body.value_or("<none>");
        EXPECT_TRUE(validate.reports.empty());
    }
}

TEST(ResponseValidationTest, SuccessfulRepliesDecodeAndUndecodableOnesAreReportedThenFail) {
    for (int status : {200, 299}) {
        const auto response = reply(status);
        EXPECT_EQ(Validation()(&response, R"({"status":"ok"})").status, "ok") << status;
    }
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
        Validation validate;
        const auto response = reply(200);
        EXPECT_THAT([&] { validate(&response, row.body); },
                    ThrowsWalletError(WalletError::internalError(row.code, kID)));
        ASSERT_EQ(validate.reports.size(), 1u);
        const auto& report = validate.reports[0];
        EXPECT_EQ(report.kind, row.kind);
        EXPECT_TRUE(row.description.empty() || report.description == row.description)
            << report.description;
        EXPECT_EQ(report.context, "corr-1 GET digitalwallets/v1/ping?limit=1");
    }
}

TEST(ResponseValidationTest, OddRepliesAndProcessorsAreI0003) {
    Validation validate;
    // Not an HTTP reply: no correlation identifier, neither decoder nor processor runs.
    const platform::URLResponse notHTTP(kURL);
    bool processorCalled = false;
    const auto endpoint =
        pingEndpoint({[&](const platform::HTTPURLResponse&, const std::optional<platform::Data>&) {
            processorCalled = true;
        }});
    const auto i0003 = ThrowsWalletError(WalletError::internalError("I0003", std::nullopt));
    EXPECT_THAT([&] { validate(&notHTTP, R"({"status":"ok"})", endpoint); }, i0003);
    EXPECT_THAT([&] { validate(nullptr, std::nullopt, endpoint); }, i0003);
    EXPECT_FALSE(processorCalled);

    // A processor that returns instead of throwing.
    const auto status400 = reply(400);
    EXPECT_THAT([&] { validate(&status400, std::nullopt, endpoint); },
                ThrowsWalletError(WalletError::internalError("I0003", kID)));
    EXPECT_TRUE(processorCalled);

    // A decoder failing with something that is not a decoding failure.
    const Endpoint<Ping> odd(
        "x", HTTPMethod::get(), {}, {}, EndpointParametersEncoder::empty(),
        {[](const std::optional<platform::Data>&) -> Ping { throw EndpointError::invalidURL(); }},
        defaultErrorProcessor());
    const auto ok = reply(200);
    EXPECT_THAT([&] { validate(&ok, "{}", odd); },
                ThrowsWalletError(WalletError::internalError("I0003", kID)));
    EXPECT_TRUE(validate.reports.empty());
}

// A decode given up as the process ends, on a success reply or on an error document: the call
// ends as cancelled, with nothing reported.
TEST(ResponseValidationTest, ADecodeGivenUpAsCancelledEndsTheCallAsCancelled) {
    const auto cancelled = [](const std::optional<platform::Data>&) -> Ping {
        throw platform::CancellationError();
    };
    const auto cancelledDocument = [](const platform::HTTPURLResponse&,
                                      const std::optional<platform::Data>&) {
        throw platform::CancellationError();
    };
    const Endpoint<Ping> endpoint("x", HTTPMethod::get(), {}, {},
                                  EndpointParametersEncoder::empty(), {cancelled},
                                  {cancelledDocument});
    for (int status : {200, 404}) {
        Validation validate;
        const auto response = reply(status);
        EXPECT_THROW(validate(&response, "{}", endpoint), platform::CancellationError) << status;
        EXPECT_TRUE(validate.reports.empty());
    }
}

}  // namespace
}  // namespace corvend
