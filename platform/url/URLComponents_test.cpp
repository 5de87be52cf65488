#include "platform/url/URLComponents.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvend::platform {
namespace {

using Items = std::vector<URLQueryItem>;

URLComponents parsed(std::string_view text) {
    auto components = URLComponents::parse(text);
    EXPECT_TRUE(components.has_value()) << text;
    return components.value_or(*URLComponents::parse(""));
}

URL absolute(std::string_view text) {
    auto url = URL::make(text);
    EXPECT_TRUE(url.has_value()) << text;
    return url.value_or(*URL::make("http://invalid.test"));
}

TEST(URLComponentsTest, SplitsReference) {
    struct ParseCase {
        std::string text;
        std::optional<std::string> scheme;
        std::optional<std::string> host;
        std::string path;
        std::optional<Items> query;
    };
    for (const ParseCase& c :
         {ParseCase{"digitalwallets/v1/profile", std::nullopt, std::nullopt,
                    "digitalwallets/v1/profile", std::nullopt},
          ParseCase{"HTTPS://h.example/p?x", "https", "h.example", "/p",
                    Items{{"x", std::nullopt}}},
          ParseCase{"//other/p", std::nullopt, "other", "/p", std::nullopt},
          ParseCase{"file:///tmp", "file", std::nullopt, "/tmp", std::nullopt},
          ParseCase{"", std::nullopt, std::nullopt, "", std::nullopt},
          ParseCase{"a%2Fb?", std::nullopt, std::nullopt, "a%2Fb", Items{}},
          // "+" is a plus sign in a query, and escapes decode.
          ParseCase{"p?q=1+2&e=%2B%20&&=v&n=", std::nullopt, std::nullopt, "p",
                    Items{{"q", "1+2"}, {"e", "+ "}, {"", std::nullopt}, {"", "v"}, {"n", ""}}}}) {
        const auto components = URLComponents::parse(c.text);
        ASSERT_TRUE(components.has_value()) << c.text;
        EXPECT_EQ(components->scheme(), c.scheme);
        EXPECT_EQ(components->host(), c.host);
        EXPECT_EQ(components->percentEncodedPath(), c.path);
        EXPECT_EQ(components->queryItems(), c.query);
        EXPECT_EQ(components->string(), c.text);
    }
}

TEST(URLComponentsTest, RefusesTextThatIsNotAReference) {
    for (const char* text : {"http://[bad", "%zz", "a b", "a\n", "p?q=%g0", "p#a#b", "//h:x/p"}) {
        EXPECT_FALSE(URLComponents::parse(text).has_value()) << text;
    }
}

TEST(URLComponentsTest, QueryItemsAreEncodedAndDecodeBack) {
    const std::pair<Items, std::string> cases[] = {
        {{{"id", "1"}, {"id", "2"}, {"id", "1"}}, "id=1&id=2&id=1"},  // duplicates kept
        {{{"flag", std::nullopt}, {"k", ""}}, "flag&k="},
        {{{"a+b&c", "1+2&3=4#5/6?7 8"}}, "a%2Bb%26c=1%2B2%263%3D4%235%2F6%3F7%208"},
        {{{"A-z_0.9~", "~._-"}}, "A-z_0.9~=~._-"},  // unreserved, left alone
        {{{"n", "\xC3\xA9\x25"}}, "n=%C3%A9%25"}};
    for (const auto& [items, query] : cases) {
        auto components = parsed("digitalwallets/v1/x");
        components.setQueryItems(items);
        EXPECT_EQ(components.string(), "digitalwallets/v1/x?" + query);
        EXPECT_EQ(components.queryItems(), items);
        // The text written must read back the same after a fresh parse.
        EXPECT_EQ(parsed(components.string()).queryItems(), items);
    }
}

TEST(URLComponentsTest, SettingQueryReplacesRemovesAndKeepsFragment) {
    auto components = parsed("p?old=1#frag");
    components.setQueryItems(Items{{"new", "2"}});
    EXPECT_EQ(components.string(), "p?new=2#frag");

    components.setQueryItems(Items{});
    EXPECT_EQ(components.string(), "p?#frag");
    EXPECT_EQ(components.queryItems(), Items{});

    components.setQueryItems(std::nullopt);
    EXPECT_EQ(components.string(), "p#frag");
    EXPECT_EQ(components.queryItems(), std::nullopt);
}

void expectResolved(std::string_view base, std::string_view reference,
                    const std::optional<std::string>& expected) {
    const auto resolved = parsed(reference).url(absolute(base));
    EXPECT_EQ(resolved ? std::optional(resolved->absoluteString()) : std::nullopt, expected)
        << base << " + " << reference;
}

TEST(URLComponentsTest, ResolvesTheExamplesOfRFC3986) {
    const std::pair<const char*, std::optional<std::string>> examples[] = {
        {"g", "http://a/b/c/g"},
        {"/g", "http://a/g"},
        {"//g", "http://g"},
        {"?y", "http://a/b/c/d;p?y"},
        {"#s", "http://a/b/c/d;p?q#s"},
        {"g;x?y#s", "http://a/b/c/g;x?y#s"},
        {".", "http://a/b/c/"},
        {"..", "http://a/b/"},
        {"../g", "http://a/b/g"},
        {"../../../../g", "http://a/g"},
        {"g..", "http://a/b/c/g.."},
        {"..g", "http://a/b/c/..g"},
        {"./g/.", "http://a/b/c/g/"},
        {"g;x=1/../y", "http://a/b/c/y"},
        {"g?y/./x", "http://a/b/c/g?y/./x"},
        {"g#s/../x", "http://a/b/c/g#s/../x"},
        // Absolute references stand on their own; those without a host are no URL here.
        {"https://other:8443/p?x", "https://other:8443/p?x"},
        {"g:h", std::nullopt},
        {"http:g", std::nullopt}};
    for (const auto& [reference, expected] : examples) {
        expectResolved("http://a/b/c/d;p?q", reference, expected);
    }
}

TEST(URLComponentsTest, ResolvesServicePaths) {
    const std::string path = "digitalwallets/v1/profile";
    expectResolved("https://h/api/", path, "https://h/api/" + path);
    expectResolved("https://h/api", path, "https://h/" + path);
    expectResolved("https://h", path, "https://h/" + path);
    expectResolved("https://h:8443/api/?old=1#top", "v1/x", "https://h:8443/api/v1/x");
    // An escaped "/" stays inside its segment, and escapes keep their spelling.
    expectResolved("https://h/api/", "cards/a%2Fb/%7e%2e%2E",
                   "https://h/api/cards/a%2Fb/%7e%2e%2E");
    expectResolved("https://h/api/", "//other.example/p", "https://other.example/p");
}

TEST(URLComponentsTest, QuerySurvivesResolutionByteForByte) {
    auto components = parsed("digitalwallets/v1/x");
    components.setQueryItems(Items{{"q", "a+b c&d=e#f/g?h%"}, {"flag", std::nullopt}, {"k", ""}});
    const auto written = components.string().substr(components.string().find('?') + 1);

    const auto resolved = components.url(absolute("https://h/api/"));
    ASSERT_TRUE(resolved.has_value());
    EXPECT_EQ(resolved->query(), written);
    EXPECT_EQ(resolved->path(), "/api/digitalwallets/v1/x");
    EXPECT_EQ(parsed(resolved->absoluteString()).queryItems(), components.queryItems());
}

}  // namespace
}  // namespace corvend::platform
