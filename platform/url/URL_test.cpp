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

TEST(URLTest, KeepsTextAndSplitsParts) {
    for (const AcceptedCase& c :
         {AcceptedCase{"https://example.com", "https://example.com", "https", "example.com",
                       std::nullopt, "", std::nullopt},
          // Only the scheme is normalised; host, path and escapes stay as written.
          AcceptedCase{"HTTPS://Example.COM/P%2fq?a=%2B", "https://Example.COM/P%2fq?a=%2B",
                       "https", "Example.COM", std::nullopt, "/P%2fq", "a=%2B"},
          AcceptedCase{"http://[::1]:8080/x?", "http://[::1]:8080/x?", "http", "::1", 8080, "/x",
                       ""},
          AcceptedCase{"http://127.0.0.1:65535/a#frag", "http://127.0.0.1:65535/a#frag", "http",
                       "127.0.0.1", 65535, "/a", std::nullopt},
          AcceptedCase{"http://h:/x", "http://h:/x", "http", "h", std::nullopt, "/x",
                       std::nullopt}}) {
        const auto url = URL::make(c.text);
        ASSERT_TRUE(url.has_value()) << c.text;
        EXPECT_EQ(url->absoluteString(), c.absoluteString);
        EXPECT_EQ(url->scheme(), c.scheme);
        EXPECT_EQ(url->host(), c.host);
        EXPECT_EQ(url->port(), c.port);
        EXPECT_EQ(url->path(), c.path);
        EXPECT_EQ(url->query(), c.query);
    }
}

TEST(URLTest, RefusesWhatIsNotAnAbsoluteURLWithAHost) {
    // No scheme (twice), no authority, an empty host, a port beyond 65535 (99999 would wrap to
    // 34463 if taken modulo 2^16), an unterminated IP literal, a blank, a bad escape.
    for (const char* text : {"", "example.com/path", "//host/path", "mailto:someone@h",
                             "http:///path", "http://h:65536/", "http://h:99999/", "http://[bad",
                             "http://h/a b", "http://h/%zz", " http://h/"}) {
        EXPECT_FALSE(URL::make(text).has_value()) << text;
    }
}

}  // namespace
}  // namespace corvend::platform
