#include "CorvendWallet/networking/Endpoint.hpp"

#include <gtest/gtest.h>

#include <boost/describe.hpp>

namespace corvend {
namespace {

struct Ping {
    std::string status;
    std::optional<std::int64_t> count;
};
BOOST_DESCRIBE_STRUCT(Ping, (), (status, count))

EndpointErrorProcessor throwingProcessor() {
    return {[](const platform::HTTPURLResponse&, const std::optional<platform::Data>&) {
        throw std::runtime_error("error reply");
    }};
}

template <class T = Ping>
Endpoint<T> makeEndpoint(std::string_view path, std::vector<HTTPQueryParam> params = {},
                         EndpointParametersEncoder encoder = EndpointParametersEncoder::empty()) {
    return Endpoint<T>(path, HTTPMethod::get(), {}, params, std::move(encoder),
                       EndpointDecoder<T>::json(sharedResponseDecoder()), throwingProcessor());
}

TEST(EndpointTest, ParametersReplaceThePathsQueryOnlyWhenThereAreAny) {
    struct Row {
        std::string path;
        std::vector<HTTPQueryParam> params;
        std::string expected;
    };
    const std::vector<Row> rows = {
        // Order, duplicates and empty values of the query: URLComponents_test.
        {"digitalwallets/v1/profile", {}, "digitalwallets/v1/profile"},
        {"v1/transfers", {{"limit", "10"}, {"offset", "0"}}, "v1/transfers?limit=10&offset=0"},
        // The path's own query is replaced by the parameters; kept when there are none.
        {"x?old=1", {{"new", "2"}}, "x?new=2"},
        {"x?old=1", {}, "x?old=1"},
    };
    for (const auto& row : rows) {
        const auto endpoint = makeEndpoint(row.path, row.params);
        ASSERT_TRUE(endpoint.urlComponents().has_value()) << row.path;
        EXPECT_EQ(endpoint.urlComponents()->string(), row.expected) << row.path;
    }
}

TEST(EndpointTest, UnparsablePathLeavesNoComponentsWhateverTheParameters) {
    EXPECT_FALSE(makeEndpoint("a b").urlComponents().has_value());
    EXPECT_FALSE(makeEndpoint("%zz", {{"limit", "1"}}).urlComponents().has_value());
}

TEST(EndpointTest, ParametersEncoders) {
    const auto& empty = EndpointParametersEncoder::empty();
    EXPECT_FALSE(empty.contentType.has_value());
    EXPECT_FALSE(empty.encode().has_value());

    Ping request{"ok", 3};
    const auto json = EndpointParametersEncoder::json(request);
    request.status = "changed after building";  // the body is the value as captured
    EXPECT_EQ(json.contentType, "application/json");
    EXPECT_EQ(json.encode()->view(), R"({"status":"ok","count":3})");
}

// The body and its "Content-Type" go together with the encoder's content type: a POST whose
// encoder gives no bytes still names its type; a GET's encoder is never even called.
TEST(EndpointTest, TheContentTypeDecidesBodyAndHeaderNotTheBytes) {
    const auto base = *platform::URL::make("https://wallet.example/api/");
    const auto build = [&](HTTPMethod method, EndpointParametersEncoder encoder) {
        return Endpoint<Ping>("x", std::move(method), {}, {}, std::move(encoder),
                              EndpointDecoder<Ping>::json(sharedResponseDecoder()),
                              throwingProcessor())
            .urlRequest(base);
    };

    const auto bodiless = build(HTTPMethod::post(), {.contentType = "application/json",
                                                     .encode = [] { return std::nullopt; }});
    EXPECT_EQ(bodiless.httpMethod(), "POST");
    EXPECT_EQ(bodiless.value("Content-Type"), "application/json");
    EXPECT_FALSE(bodiless.httpBody().has_value());

    int calls = 0;
    const auto get = build(HTTPMethod::get(), {.contentType = std::nullopt, .encode = [&calls] {
                                                   ++calls;
                                                   return std::optional(platform::Data("{}"));
                                               }});
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(get.httpBody().has_value());
    EXPECT_FALSE(get.value("Content-Type").has_value());
}

}  // namespace
}  // namespace corvend
