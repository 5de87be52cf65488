#include "platform/http/URLRequest.hpp"

#include <gtest/gtest.h>

#include "platform/http/URLResponse.hpp"

namespace corvend::platform {
namespace {

URL urlOf(std::string_view text) {
    auto url = URL::make(text);
    EXPECT_TRUE(url.has_value()) << text;
    return *url;
}

TEST(URLRequest, StartsAsAGetWithTheDefaultIdleTimeOutAndNoBody) {
    const URLRequest request(urlOf("https://example.test/a"));
    EXPECT_EQ(request.httpMethod(), "GET");
    EXPECT_EQ(request.timeoutInterval(), URLRequest::Seconds(60));
    EXPECT_FALSE(request.httpBody().has_value());
    EXPECT_TRUE(request.allHTTPHeaderFields().empty());
}

TEST(URLRequest, RepeatedNamesJoinUnderTheFirstSpellingInFirstAddedOrder) {
    URLRequest request(urlOf("https://example.test/a"));
    request.addValue("1", "X-First");
    request.addValue("json", "Accept");
    request.addValue("2", "x-FIRST");
    request.addValue("", "X-First");
    request.addValue("xml", "ACCEPT");

    const std::vector<std::pair<std::string, std::string>> expected{{"X-First", "1,2,"},
                                                                    {"Accept", "json,xml"}};
    EXPECT_EQ(request.allHTTPHeaderFields(), expected);
}

TEST(URLRequest, LooksFieldsUpRegardlessOfCase) {
    URLRequest request(urlOf("https://example.test/a"));
    request.addValue("abc", "Authorization");
    EXPECT_EQ(request.value("authorization"), "abc");
    EXPECT_EQ(request.value("AUTHORIZATION"), "abc");
    EXPECT_FALSE(request.value("Authorizatio").has_value());
    EXPECT_FALSE(request.value("").has_value());
}

TEST(HTTPURLResponse, LowerCasesNamesAndJoinsFieldsThatDifferOnlyInCase) {
    const HTTPURLResponse response(urlOf("https://example.test/a"), 418,
                                   {{"Content-Type", "text/plain"},
                                    {"X-Tag", "a"},
                                    {"x-tag", "b"},
                                    {"X-Correlation-ID", "42"}});
    const std::map<std::string, std::string> expected{
        {"content-type", "text/plain"}, {"x-correlation-id", "42"}, {"x-tag", "a, b"}};
    EXPECT_EQ(response.allHeaderFields(), expected);
    EXPECT_EQ(response.statusCode(), 418);
    EXPECT_EQ(response.value("X-CORRELATION-id"), "42");
    EXPECT_FALSE(response.value("x-missing").has_value());
}

}  // namespace
}  // namespace corvend::platform
