#include "platform/web/WebPage.hpp"

#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdint>
#include <cstdlib>
#include <new>
#include <optional>
#include <string>

// Counts what this thread allocates while a measurement runs, so a test can tell what a read
// page keeps and how much reading it allocated on the way.
namespace {
thread_local bool tCounting = false;
thread_local std::int64_t tLive = 0;   // allocated minus freed
thread_local std::int64_t tTotal = 0;  // allocated
}  // namespace

void* operator new(std::size_t size) {
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (!memory) throw std::bad_alloc();
    if (tCounting) {
        const auto usable = static_cast<std::int64_t>(malloc_usable_size(memory));
        tLive += usable;
        tTotal += usable;
    }
    return memory;
}

// The replacement pair is malloc and free underneath, which the compiler cannot see.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept {
    if (memory && tCounting) tLive -= static_cast<std::int64_t>(malloc_usable_size(memory));
    std::free(memory);
}
#pragma GCC diagnostic pop

void operator delete(void* memory, std::size_t) noexcept {
    operator delete(memory);
}

namespace corvend::platform::web {
namespace {

std::string repeated(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

TEST(WebPageTest, AReadPageKeepsAtMostTwiceItsBytesAndReadingCopiesNoRestOfThePage) {
    const struct {
        const char* name;
        std::string html;
        std::size_t lines;
        std::size_t links;
        // Bytes reading may allocate in all (growing buffers included), per byte of page; none:
        // not bounded here (each link's target is resolved once to check it).
        std::optional<double> work;
    } cases[] = {
        {"minimal links", repeated("<a href=x>y</a>", 20'000), 1, 20'000, std::nullopt},
        {"empty targets", repeated("<a href=></a>", 20'000), 0, 20'000, std::nullopt},
        {"long targets", repeated("<a href='/pay/confirm?step=2&amp;id=7'>Go</a>", 5'000), 1, 5'000,
         std::nullopt},
        {"short lines", repeated("<p>x", 50'000), 50'000, 0, 8.0},
        {"empty scripts", "<p>a" + repeated("<script></script>", 5'000) + "<STYLE>b</STYLE>", 1, 0,
         8.0},
        {"long text", "<p>" + repeated("word ", 40'000), 1, 0, 8.0},
    };
    const URL url = *URL::make("https://issuer.example/acs/page");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tLive = 0;
        tTotal = 0;
        tCounting = true;
        std::optional<WebPage> page = WebPage::parse(url, 200, c.html);
        tCounting = false;
        const auto bytes = static_cast<double>(c.html.size());
        EXPECT_LE(static_cast<double>(tLive), 2.0 * bytes) << tLive << " for " << bytes;
        if (c.work) {
            EXPECT_LE(static_cast<double>(tTotal), *c.work * bytes) << tTotal << " for " << bytes;
        }
        EXPECT_EQ(page->lines.size(), c.lines);
        ASSERT_EQ(page->links.size(), c.links);
        if (c.links > 0) {
            EXPECT_EQ(
                page->links[c.links - 1].url.absoluteString().rfind("https://issuer.example/", 0),
                0u);
        }
    }
}

TEST(WebPageTest, ReadsTitleTextAndLinksAsShown) {
    const auto page = WebPage::parse(
        *URL::make("https://issuer.example/acs/page"), 200,
        "<TITLE>Pay &amp; go</TITLE><Script type=x>a<b</SCRIPT ><p>One\n  two<!-- <p>no -->"
        "<A class=x HREF=\"next?a=1&amp;b=2\">Next <b>step</b></a><a href='http://[bad'>Bad</a>"
        "<a>No target</a><p>Three<style>p{}</style>");
    EXPECT_EQ(page.title, "Pay & go");
    EXPECT_EQ(page.lines,
              (std::vector<std::string>{
                  "One twoNext stepBad (a link that cannot be followed: http://[bad)No target",
                  "Three"}));
    ASSERT_EQ(page.links.size(), 1u);
    EXPECT_EQ(page.links.front().text, "Next step");
    EXPECT_EQ(page.links.front().url.absoluteString(), "https://issuer.example/acs/next?a=1&b=2");

    // An address is read as browsers read it, then resolved; one still unreadable is named.
    const struct {
        const char* href;
        const char* url;  // where the link leads, or the address its note names
        bool followable = true;
    } rows[] = {
        {" /approve\n", "https://issuer.example/approve"},
        {"\t/app\nro\rve ", "https://issuer.example/approve"},
        {"pay now?a=b c", "https://issuer.example/acs/pay%20now?a=b%20c"},
        {"a|b?{x}#{y}#", "https://issuer.example/acs/a%7Cb?%7Bx%7D#%7By%7D%23"},
        {"caf\xC3\xA9%20ok", "https://issuer.example/acs/caf%C3%A9%20ok"},
        {"\\approve\\now?to=a\\b", "https://issuer.example/approve/now?to=a%5Cb"},
        {"HTTPS:\\\\other.example\\pay", "https://other.example/pay"},
        {"\thttp://caf\xC3\xA9 shop/ \n", "http://caf\xC3\xA9 shop/", false},
        {"100%zz", "100%zz", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.href);
        const auto read = WebPage::parse(*URL::make("https://issuer.example/acs/page"), 200,
                                         std::string("<a href='") + row.href + "'>Go</a>");
        if (!row.followable) {
            EXPECT_TRUE(read.links.empty());
            EXPECT_EQ(read.lines,
                      std::vector<std::string>{std::string("Go (a link that cannot be followed: ") +
                                               row.url + ")"});
            continue;
        }
        ASSERT_EQ(read.links.size(), 1u);
        EXPECT_EQ(read.links.front().url.absoluteString(), row.url);
        EXPECT_EQ(read.lines, std::vector<std::string>{"Go"});
    }
}

}  // namespace
}  // namespace corvend::platform::web
