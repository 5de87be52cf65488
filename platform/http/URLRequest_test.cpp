#include "platform/http/URLRequest.hpp"

#include <gtest/gtest.h>

#include "platform/http/URLResponse.hpp"

namespace corvend::platform {
namespace {

const URL kURL = *URL::make("https://example.test/a");

TEST(URLRequest, RepeatedNamesJoinUnderTheFirstSpellingInFirstAddedOrder) {
    URLRequest request(kURL);
    request.addValue("1", "X-First");
    request.addHeaders({{"accept", "json"}, {"x-FIRST", "2"}});
    request.addValue("", "X-First");
    request.addValue("xml", "ACCEPT");

    const std::vector<std::pair<std::string, std::string>> expected{{"X-First", "1,2,"},
                                                                    {"accept", "json,xml"}};
    EXPECT_EQ(request.allHTTPHeaderFields(), expected);
    EXPECT_EQ(request.value("X-FIRST"), "1,2,");
    EXPECT_FALSE(request.value("X-Firs").has_value());
    EXPECT_FALSE(request.value("").has_value());
}

TEST(HTTPURLResponse, LowerCasesNamesAndJoinsFieldsThatDifferOnlyInCase) {
    const HTTPURLResponse response(kURL, 418,
                                   {{"Content-Type", "text/plain"},
                                    {"X-Tag", "a"},
                                    {"x-tag", "b"},
                                    {"X-Correlation-ID", "42"}});
    const std::map<std::string, std::string> expected{
        {"content-type", "text/plain"}, {"x-correlation-id", "42"}, {"x-tag", "a, b"}};
    EXPECT_EQ(response.allHeaderFields(), expected);
    EXPECT_EQ(response.value("X-CORRELATION-id"), "42");
    EXPECT_FALSE(response.value("x-missing").has_value());
}

}  // namespace
}  // namespace corvend::platform
