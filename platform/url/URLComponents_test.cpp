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

// ---- parsing

struct ParseCase {
    std::string text;
    std::optional<std::string> scheme;
    std::optional<std::string> host;
    std::string path;
    std::optional<Items> query;
};

class URLComponentsParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P(URLComponentsParseTest, SplitsReference) {
    const auto& c = GetParam();
    const auto components = URLComponents::parse(c.text);
    ASSERT_TRUE(components.has_value()) << c.text;
    EXPECT_EQ(components->scheme(), c.scheme);
    EXPECT_EQ(components->host(), c.host);
    EXPECT_EQ(components->hasHost(), c.host.has_value());
    EXPECT_EQ(components->percentEncodedPath(), c.path);
    EXPECT_EQ(components->queryItems(), c.query);
    EXPECT_EQ(components->string(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, URLComponentsParseTest,
    testing::Values(
        ParseCase{"digitalwallets/v1/profile", std::nullopt, std::nullopt,
                  "digitalwallets/v1/profile", std::nullopt},
        ParseCase{"digitalwallets/v1/x?a=1", std::nullopt, std::nullopt, "digitalwallets/v1/x",
                  Items{{"a", "1"}}},
        ParseCase{"HTTPS://h.example/p?x", "https", "h.example", "/p", Items{{"x", std::nullopt}}},
        ParseCase{"//other/p", std::nullopt, "other", "/p", std::nullopt},
        ParseCase{"file:///tmp", "file", std::nullopt, "/tmp", std::nullopt},
        ParseCase{"", std::nullopt, std::nullopt, "", std::nullopt},
        ParseCase{"a%2Fb?", std::nullopt, std::nullopt, "a%2Fb", Items{}},
        // "+" is a plus sign in a query, and escapes decode.
        ParseCase{"p?q=1+2&e=%2B%20&&=v&n=", std::nullopt, std::nullopt, "p",
                  Items{{"q", "1+2"}, {"e", "+ "}, {"", std::nullopt}, {"", "v"}, {"n", ""}}}));

TEST(URLComponentsTest, RefusesTextThatIsNotAReference) {
    for (const char* text : {"http://[bad", "%zz", "a b", "a\n", "p?q=%g0", "p#a#b", "//h:x/p"}) {
        EXPECT_FALSE(URLComponents::parse(text).has_value()) << text;
    }
}

// ---- query building

struct QueryCase {
    std::string name;
    Items items;
    std::string expected;
};

class URLComponentsQueryTest : public testing::TestWithParam<QueryCase> {};

TEST_P(URLComponentsQueryTest, EncodesAndDecodesBack) {
    const auto& c = GetParam();
    auto components = parsed("digitalwallets/v1/x");
    components.setQueryItems(c.items);
    EXPECT_EQ(components.string(), c.expected);
    EXPECT_EQ(components.queryItems(), c.items);
    // The text written must read back the same after a fresh parse.
    EXPECT_EQ(parsed(components.string()).queryItems(), c.items);
}

INSTANTIATE_TEST_SUITE_P(
    Items, URLComponentsQueryTest,
    testing::Values(
        QueryCase{"DuplicatesKept",
                  {{"id", "1"}, {"id", "2"}, {"id", "1"}},
                  "digitalwallets/v1/x?id=1&id=2&id=1"},
        QueryCase{"NoValueAndEmptyValue",
                  {{"flag", std::nullopt}, {"k", ""}},
                  "digitalwallets/v1/x?flag&k="},
        QueryCase{"ReservedEncoded",
                  {{"a+b&c", "1+2&3=4#5/6?7 8"}},
                  "digitalwallets/v1/x?a%2Bb%26c=1%2B2%263%3D4%235%2F6%3F7%208"},
        QueryCase{
            "UnreservedLeftAlone", {{"A-z_0.9~", "~._-"}}, "digitalwallets/v1/x?A-z_0.9~=~._-"},
        QueryCase{"NonAsciiBytes", {{"n", "\xC3\xA9\x25"}}, "digitalwallets/v1/x?n=%C3%A9%25"}),
    [](const auto& info) { return info.param.name; });

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

// ---- resolution

struct ResolveCase {
    std::string base;
    std::string reference;
    std::optional<std::string> expected;
};

class URLComponentsResolveTest : public testing::TestWithParam<ResolveCase> {};

TEST_P(URLComponentsResolveTest, Resolves) {
    const auto& c = GetParam();
    const auto resolved = parsed(c.reference).url(absolute(c.base));
    ASSERT_EQ(resolved.has_value(), c.expected.has_value())
        << c.base << " + " << c.reference << " gave "
        << (resolved ? resolved->absoluteString() : "nothing");
    if (resolved) {
        EXPECT_EQ(resolved->absoluteString(), *c.expected);
    }
}

// The reference examples of RFC 3986, section 5.4, against its base.
constexpr const char* kBase = "http://a/b/c/d;p?q";

INSTANTIATE_TEST_SUITE_P(
    RFC3986Examples, URLComponentsResolveTest,
    testing::Values(
        ResolveCase{kBase, "g", "http://a/b/c/g"}, ResolveCase{kBase, "./g", "http://a/b/c/g"},
        ResolveCase{kBase, "/g", "http://a/g"}, ResolveCase{kBase, "//g", "http://g"},
        ResolveCase{kBase, "?y", "http://a/b/c/d;p?y"},
        ResolveCase{kBase, "#s", "http://a/b/c/d;p?q#s"},
        ResolveCase{kBase, "g;x?y#s", "http://a/b/c/g;x?y#s"},
        ResolveCase{kBase, "", "http://a/b/c/d;p?q"}, ResolveCase{kBase, ".", "http://a/b/c/"},
        ResolveCase{kBase, "..", "http://a/b/"}, ResolveCase{kBase, "../g", "http://a/b/g"},
        ResolveCase{kBase, "../../", "http://a/"},
        ResolveCase{kBase, "../../../../g", "http://a/g"},
        ResolveCase{kBase, "/../g", "http://a/g"}, ResolveCase{kBase, "g..", "http://a/b/c/g.."},
        ResolveCase{kBase, "..g", "http://a/b/c/..g"}, ResolveCase{kBase, "./../g", "http://a/b/g"},
        ResolveCase{kBase, "./g/.", "http://a/b/c/g/"},
        ResolveCase{kBase, "g;x=1/../y", "http://a/b/c/y"},
        ResolveCase{kBase, "g?y/./x", "http://a/b/c/g?y/./x"},
        ResolveCase{kBase, "g#s/../x", "http://a/b/c/g#s/../x"},
        // Absolute references stand on their own; those without a host are no URL here.
        ResolveCase{kBase, "https://other:8443/p?x", "https://other:8443/p?x"},
        ResolveCase{kBase, "g:h", std::nullopt}, ResolveCase{kBase, "http:g", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    ServicePaths, URLComponentsResolveTest,
    testing::Values(ResolveCase{"https://h/api/", "digitalwallets/v1/profile",
                                "https://h/api/digitalwallets/v1/profile"},
                    ResolveCase{"https://h/api", "digitalwallets/v1/profile",
                                "https://h/digitalwallets/v1/profile"},
                    ResolveCase{"https://h", "digitalwallets/v1/profile",
                                "https://h/digitalwallets/v1/profile"},
                    ResolveCase{"https://h:8443/api/?old=1#top", "v1/x", "https://h:8443/api/v1/x"},
                    // An escaped "/" stays inside its segment, and escapes keep their spelling.
                    ResolveCase{"https://h/api/", "cards/a%2Fb/%7e%2e%2E",
                                "https://h/api/cards/a%2Fb/%7e%2e%2E"},
                    ResolveCase{"https://h/api/", "//other.example/p", "https://other.example/p"}));

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
