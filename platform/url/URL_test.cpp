#include "platform/url/URL.hpp"

#include <gtest/gtest.h>

#include <string>

namespace corvend::platform {
namespace {

struct AcceptedCase {
    std::string text;
    std::string absoluteString;
    std::string scheme;
    std::string host;
    std::optional<std::uint16_t> port;
    std::string path;
    std::optional<std::string> query;
};

class URLAcceptTest : public testing::TestWithParam<AcceptedCase> {};

TEST_P(URLAcceptTest, KeepsTextAndSplitsParts) {
    const auto& c = GetParam();
    const auto url = URL::make(c.text);
    ASSERT_TRUE(url.has_value()) << c.text;
    EXPECT_EQ(url->absoluteString(), c.absoluteString);
    EXPECT_EQ(url->scheme(), c.scheme);
    EXPECT_EQ(url->host(), c.host);
    EXPECT_EQ(url->port(), c.port);
    EXPECT_EQ(url->path(), c.path);
    EXPECT_EQ(url->query(), c.query);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, URLAcceptTest,
    testing::Values(
        AcceptedCase{"https://example.com", "https://example.com", "https", "example.com",
                     std::nullopt, "", std::nullopt},
        AcceptedCase{"https://h/api/", "https://h/api/", "https", "h", std::nullopt, "/api/",
                     std::nullopt},
        // Only the scheme is normalised; host, path and escapes stay as written.
        AcceptedCase{"HTTPS://Example.COM/P%2fq?a=%2B", "https://Example.COM/P%2fq?a=%2B", "https",
                     "Example.COM", std::nullopt, "/P%2fq", "a=%2B"},
        AcceptedCase{"http://[::1]:8080/x?", "http://[::1]:8080/x?", "http", "::1", 8080, "/x", ""},
        AcceptedCase{"http://127.0.0.1:65535/a#frag", "http://127.0.0.1:65535/a#frag", "http",
                     "127.0.0.1", 65535, "/a", std::nullopt},
        AcceptedCase{"http://h:/x", "http://h:/x", "http", "h", std::nullopt, "/x", std::nullopt}));

TEST(URLTest, RefusesWhatIsNotAnAbsoluteURLWithAHost) {
    for (const char* text : {
             "",
             "example.com/path",  // no scheme
             "//host/path",       // no scheme
             "mailto:someone@h",  // no authority
             "http:///path",      // empty host
             "http://h:65536/",   // port out of range
             "http://h:99999/",   // would wrap to 34463 if taken modulo 2^16
             "http://[bad",       // unterminated IP literal
             "http://h/a b",      // blank
             "http://h/%zz",      // bad escape
             " http://h/",        // leading blank
         }) {
        EXPECT_FALSE(URL::make(text).has_value()) << text;
    }
}

TEST(URLTest, EqualityIsOnNormalisedText) {
    EXPECT_EQ(URL::make("HTTP://h/a"), URL::make("http://h/a"));
    EXPECT_NE(URL::make("http://h/a"), URL::make("http://h/A"));
}

}  // namespace
}  // namespace corvend::platform
