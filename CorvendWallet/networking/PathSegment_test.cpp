#include "CorvendWallet/networking/PathSegment.hpp"

#include <gtest/gtest.h>

#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "CorvendWallet/networking/Endpoint.hpp"

namespace corvend {
namespace {

TEST(PathSegmentTest, IdentifiersStayInsideTheirSegment) {
    const platform::URL base = *platform::URL::make("https://wallet.example/api/");
    struct Row {
        std::string identifier;
        std::string path;  // as sent, after resolution against the base
    };
    const std::vector<Row> rows = {
        {"dep-1", "/api/deposits/dep-1"}, {"a/b", "/api/deposits/a%2Fb"},
        {"a?b", "/api/deposits/a%3Fb"},   {"a#b", "/api/deposits/a%23b"},
        {"%2F", "/api/deposits/%252F"},   {"a+b", "/api/deposits/a%2Bb"},
        {"a b", "/api/deposits/a%20b"},   {"...", "/api/deposits/..."},
        {"", "/api/deposits/"},
    };
    for (const auto& row : rows) {
        const Endpoint<platform::EmptyResponse> endpoint(
            "deposits/" + pathSegment(row.identifier), HTTPMethod::get(), {}, {},
            EndpointParametersEncoder::empty(), EndpointDecoder<platform::EmptyResponse>::empty(),
            {});
        const auto request = endpoint.urlRequest(base);
        EXPECT_EQ(request.url().path(), row.path) << row.identifier;
        EXPECT_FALSE(request.url().query().has_value()) << row.identifier;
    }
}

TEST(PathSegmentTest, DotSegmentsAreRefusedBeforeSending) {
    for (const std::string identifier : {".", ".."}) {
        try {
            pathSegment(identifier);
            ADD_FAILURE() << identifier << " was taken";
        } catch (const model::WalletError& error) {
            EXPECT_EQ(error, model::WalletError::internalError("I0001", std::nullopt));
        }
    }
}

}  // namespace
}  // namespace corvend
