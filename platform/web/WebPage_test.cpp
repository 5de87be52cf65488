#include "platform/web/WebPage.hpp"

#include <gtest/gtest.h>
#include <malloc.h>
#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <new>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/async/CancellationError.hpp"
#include "platform/async/CancellationToken.hpp"
#include "platform/http/URLError.hpp"
#include "platform/web/ReadBudget.hpp"
#include "tests/support/FailingPages.hpp"

// Counts what this thread allocates while a measurement runs, so a test can tell what a read
// page keeps and how much reading it allocated on the way; and acts at the first large request,
// which only the reading after the parse makes (the parser's blocks come from the reader).
namespace {
thread_local bool tCounting = false;
thread_local std::int64_t tLive = 0;   // allocated minus freed
thread_local std::int64_t tTotal = 0;  // allocated
thread_local void (*tOnLarge)() = nullptr;
}  // namespace

void* operator new(std::size_t size) {
    if (tOnLarge && size >= (std::size_t{1} << 20)) std::exchange(tOnLarge, nullptr)();
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

using testing::reopeningPage;

std::string repeated(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

// A link left open in a paragraph, which the parser re-opens, address and all, in each of
// `blocks` paragraphs after it.
std::string reopenedLinkPage(const std::string& scheme, std::size_t targetBytes, int blocks) {
    return "<p><a href='" + scheme + std::string(targetBytes, 'a') + "'>x</p>" +
           repeated("<p>y</p>", blocks);
}

// A link to `href` left open in a paragraph, re-opened in each of `blocks` paragraphs, each after
// a link in a table cell.
std::string reopenedAfterCells(const std::string& href, int blocks) {
    return "<p><a href='" + href + "'>x</p>" +
           repeated("<table><tr><td><a href=/y>y</a></table><p>z</p>", blocks);
}

// Runs `work` on a thread of a 256 KiB stack and waits for it.
template <class Work>
void onSmallStack(Work work) {
    pthread_attr_t attributes;
    ASSERT_EQ(pthread_attr_init(&attributes), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, 256 * 1024), 0);
    pthread_t thread;
    const int started = pthread_create(
        &thread, &attributes,
        [](void* argument) -> void* {
            (*static_cast<Work*>(argument))();
            return nullptr;
        },
        &work);
    pthread_attr_destroy(&attributes);
    ASSERT_EQ(started, 0);
    pthread_join(thread, nullptr);
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
        // Every link would lead to more than the view loads: none is offered.
        {"a long base",
         "<base href='https://evil.example/" + std::string(70'000, 'b') + "/'>" +
             repeated("<a href=c>d</a>", 300),
         1, 0, std::nullopt},
        // The parser re-opens the link in each paragraph after it: its address is kept once.
        {"a link re-opened", reopenedLinkPage("https://issuer.example/", 2'000, 15'000), 15'001,
         15'001, std::nullopt},
        // An address written long that leads somewhere short, re-opened after other links: kept
        // once all the same.
        {"blanks before an address, re-opened",
         reopenedAfterCells(std::string(256 << 10, ' ') + "/x", 85), 171, 171, std::nullopt},
        {"an address of '../', re-opened", reopenedAfterCells(repeated("../", 87'000) + "x", 85),
         171, 171, std::nullopt},
        {"short lines", repeated("<p>x", 50'000), 50'000, 0, 8.0},
        {"empty scripts", "<p>a" + repeated("<script></script>", 5'000) + "<STYLE>b</STYLE>", 1, 0,
         8.0},
        {"long text", "<p>" + repeated("word ", 40'000), 1, 0, 8.0},
        {"deep nesting", repeated("<span>", 100'000) + "x", 1, 0, 8.0},
        {"deep blocks", repeated("<div>", 10'000) + "x", 1, 0, 8.0},
        // Gumbo loses the places of the nodes after a body a <frameset> replaced.
        {"frameset", "</body>" + repeated("<!-- c -->", 5'000) + "<frameset><noframes>n", 0, 0,
         8.0},
    };
    const URL url = *URL::make("https://issuer.example/acs/page");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Read on a thread of a small stack: no part of reading may recurse per level of
        // nesting. What the parser holds is counted by the reader, within its limits.
        std::optional<WebPage> page;
        onSmallStack([&] {
            tLive = 0;
            tTotal = 0;
            tCounting = true;
            page = WebPage::parse(url, 200, c.html);
            tCounting = false;
        });
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

// What a read that stops at a limit says.
std::string limitMet(const std::string& html, std::optional<WebPage::Limits> limits = {}) {
    const URL url = *URL::make("https://issuer.example/acs/page");
    try {
        limits ? WebPage::parse(url, 200, html, *limits) : WebPage::parse(url, 200, html);
    } catch (const URLError& error) {
        EXPECT_EQ(error.code(), URLError::Code::pageReadLimitExceeded);
        return error.description();
    }
    return "no limit met";
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// The process's address space and resident memory, in bytes.
std::pair<std::size_t, std::size_t> memoryHeld() {
    std::ifstream statm("/proc/self/statm");
    std::size_t size = 0;
    std::size_t resident = 0;
    statm >> size >> resident;
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return {size * page, resident * page};
}
std::size_t addressSpace() {
    return memoryHeld().first;
}
std::size_t residentBytes() {
    return memoryHeld().second;
}
#endif

TEST(WebPageTest, AReadStopsAtItsLimitsAndGivesBackAllItHeld) {
    // 22 KB whose tree would take 400 MB, and any page once its CPU time is spent.
    EXPECT_NE(limitMet(reopeningPage(1'000)).find("MiB of memory to read"), std::string::npos);
    EXPECT_EQ(limitMet("<p>x", WebPage::Limits{.memoryBytes = std::size_t{1} << 30}),
              "the page takes more than 0 s of CPU time to read");
    // The parser's large blocks count: 8 MiB of one attribute's value.
    EXPECT_EQ(limitMet("<p title='" + std::string(std::size_t{8} << 20, 'v') + "'>",
                       WebPage::Limits{.memoryBytes = std::size_t{4} << 20,
                                       .cpuTime = std::chrono::seconds(10)}),
              "the page takes more than 4 MiB of memory to read");
    // What the reading after the parse keeps counts, each distinct target once at the address
    // it leads to: a base of 57 KB joined to 30,000 targets, but not to one target 30,000 times.
    // What real pages keep is read: bytes that are no UTF-8 (each shown as U+FFFD) as a link's
    // words, a link the parser re-opens in every item of a list, and the note of one that cannot
    // be followed.
    const std::string longBase =
        "<base href='https://evil.example/" + std::string(57'000, 'b') + "/'>";
    std::string targets;
    for (int i = 0; i < 30'000; ++i) targets += "<a href=" + std::to_string(i) + ">d</a>";
    EXPECT_EQ(limitMet(longBase + targets).rfind("the page's text and links take more than ", 0),
              0u);
    EXPECT_EQ(limitMet(longBase + repeated("<a href=c>d</a>", 30'000)), "no limit met");
    // The base counts, and so does a target at what it says when it leads somewhere shorter.
    for (const std::string& kept :
         {longBase + "<p>x", "<a href='" + std::string(57'000, ' ') + "/x'>x</a>"}) {
        EXPECT_EQ(limitMet(kept, WebPage::Limits{.memoryBytes = std::size_t{64} << 20,
                                                 .cpuTime = std::chrono::seconds(10),
                                                 .keptBytes = 50'000}),
                  "the page's text and links take more than 49 KiB to keep");
    }
    // What the read keeps counts for the copies its growing text makes: a megabyte of text is
    // more than a third of what is left of 3.4 MB once the parser's tree is held.
    const WebPage::Limits tight{.memoryBytes = 3'400'000, .cpuTime = std::chrono::seconds(10)};
    EXPECT_EQ(limitMet("<p>" + std::string(1'000'000, 't'), tight),
              "the page takes more than 4 MiB of memory to read");
    // Same-page links cost what they say, at an address that carries a long token too: a list of
    // countries each linked to `#` (a script picks one), a help page's questions linked to their
    // answers.
    const auto token =
        *URL::make("https://issuer.example/acs/page?session=" + std::string(1'500, 's'));
    for (const std::string place : {"", "q-"}) {
        std::string html;
        for (int i = 0; i < 250; ++i) {
            html += "<li><a href='#" + (place.empty() ? "" : place + std::to_string(i)) + "'>" +
                    std::string(90, 'c') + "</a>";
        }
        const auto page = WebPage::parse(token, 200, html);
        ASSERT_EQ(page.links.size(), 250u);
        EXPECT_EQ(page.links[249].url.absoluteString(),
                  token.absoluteString() + "#" + (place.empty() ? "" : place + "249"));
    }
    EXPECT_EQ(limitMet("<p><a href=/pay>" + std::string(120'000, '\xE0') + "</a>"), "no limit met");
    EXPECT_EQ(limitMet("<p><a href='/" + std::string(150, 'p') + "'>Pay</p><ul>" +
                       repeated("<li>item</li>", 1'000)),
              "no limit met");
    EXPECT_EQ(limitMet(reopenedLinkPage("javascript:", 2'000, 15'000)), "no limit met");
    // Minutes of the parser's work, stopped at once when the reading task is cancelled.
    {
        CancellationSource source;
        source.cancel();
        const CancellationScope scope(source.token());
        EXPECT_THROW(
            WebPage::parse(*URL::make("https://issuer.example/"), 200, repeated("<div>", 200'000)),
            CancellationError);
    }
    // A cancel or a failed allocation while the tree is read: 2 MiB of text grows its line past
    // 1 MiB; or a cancel as the second of two lines of 900 KB is kept, the last thing the read
    // keeps, seen by the walk of the elements after.
    static CancellationSource* cancelling = nullptr;
    const std::string text = "<p>" + std::string(std::size_t{2} << 20, 't');
    const struct {
        std::string html;
        bool refused;
    } reads[] = {{text, false},
                 {text, true},
                 {"<p>" + std::string(900'000, 'a') + "<p>" + std::string(900'000, 'b') + "<p>" +
                      repeated("<i></i>", 10'000),
                  false}};
    for (const auto& [html, refused] : reads) {
        CancellationSource source;
        cancelling = &source;
        const CancellationScope scope(source.token());
        tOnLarge = refused ? +[] { throw std::bad_alloc(); } : +[] { cancelling->cancel(); };
        try {
            WebPage::parse(*URL::make("https://issuer.example/"), 200, html);
            ADD_FAILURE() << "read to its end";
        } catch (const CancellationError&) {
            EXPECT_FALSE(refused);
        } catch (const URLError& error) {
            EXPECT_EQ(error.description(),
                      refused ? "there is not enough memory to read the page" : "not cancelled");
        }
        tOnLarge = nullptr;
    }
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
    // An allocation that fails ends the read as one over its limit, never a crash: in a child
    // whose address space ends 512 MiB above what it holds (the sanitizers reserve terabytes).
    const auto readWithLittleMemory = [] {
        const rlimit space{addressSpace() + (std::size_t{512} << 20), RLIM_INFINITY};
        setrlimit(RLIMIT_AS, &space);
        const WebPage::Limits unlimited{.memoryBytes = ~std::size_t{0},
                                        .cpuTime = std::chrono::hours(1)};
        const auto met = limitMet(reopeningPage(4'000), unlimited);
        std::_Exit(met == "there is not enough memory to read the page" ? 0 : 1);
    };
    EXPECT_EXIT(readWithLittleMemory(), ::testing::ExitedWithCode(0), "");
    // No timer to be had: said so.
    const auto readWithNoTimer = [] {
        const rlimit none{0, 0};
        setrlimit(RLIMIT_SIGPENDING, &none);
        const auto met = limitMet("<p>x");
        std::_Exit(met == "the system gave no timer to bound the page's read" ? 0 : 1);
    };
    EXPECT_EXIT(readWithNoTimer(), ::testing::ExitedWithCode(0), "");
    // A small page's large tree goes back to the system once read, on a thread of its own as
    // the kit's reads are (the sanitizers keep freed memory for themselves).
    const std::string html = reopeningPage(100);
    const std::size_t before = residentBytes();
    std::optional<WebPage> page;
    onSmallStack([&] { page = WebPage::parse(*URL::make("https://issuer.example/"), 200, html); });
    EXPECT_EQ(page->lines.size(), 100u);
    EXPECT_LT(residentBytes(), before + (std::size_t{8} << 20));
#endif
}

#if !defined(__SANITIZE_THREAD__)
// Text under thousands of open elements: the parser scans them all for every character and asks
// for no memory for seconds on end; a stop reaches it all the same. (ThreadSanitizer holds a
// signal back until the thread's next call into the C library.)
TEST(WebPageTest, AReadStopsWhereverTheParserWorks) {
    const std::string html =
        repeated("<span>", 30'000) + "<b>" + std::string(std::size_t{3} << 20, 't');
    const auto cpuTime = [](clockid_t clock) {
        timespec now{};
        clock_gettime(clock, &now);
        return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
    };
    // Reads on a thread of its own; `cancelAt`: cancels once that thread has spent so much.
    // Gives the CPU time the read spent past its stop.
    const auto spentPastStop = [&](WebPage::Limits limits,
                                   std::optional<std::chrono::nanoseconds> cancelAt) {
        CancellationSource source;
        std::atomic<bool> done{false};
        std::chrono::nanoseconds spent{};
        std::thread reader([&] {
            const CancellationScope scope(source.token());
            try {
                WebPage::parse(*URL::make("https://issuer.example/"), 200, html, limits);
                ADD_FAILURE() << "read to its end";
            } catch (const CancellationError&) {
                EXPECT_TRUE(cancelAt);
            } catch (const URLError& error) {
                EXPECT_FALSE(cancelAt);
                EXPECT_EQ(error.description(), "the page takes more than 1 s of CPU time to read");
            }
            spent = cpuTime(CLOCK_THREAD_CPUTIME_ID);
            done = true;
        });
        std::chrono::nanoseconds stoppedAt = limits.cpuTime;
        if (cancelAt) {
            clockid_t clock{};
            pthread_getcpuclockid(reader.native_handle(), &clock);
            while (!done && cpuTime(clock) < *cancelAt) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            stoppedAt = cpuTime(clock);
            source.cancel();
        }
        reader.join();
        return spent - stoppedAt;
    };
    // The stop is seen in milliseconds; a tenth of a second leaves room for a slow machine.
    auto limits = WebPage::limitsFor(html.size());
    limits.cpuTime = std::chrono::seconds(1);
    EXPECT_LT(spentPastStop(limits, std::nullopt), std::chrono::milliseconds(100));
    limits.cpuTime = std::chrono::hours(1);
    EXPECT_LT(spentPastStop(limits, std::chrono::seconds(1)), std::chrono::milliseconds(100));
}
#endif

// The signal that stops reads goes on to the handler the host set for it, when it is the host's.
TEST(WebPageTest, TheReadersSignalGoesOnToTheHostsHandler) {
    static std::atomic<int> taken{0};
    const int signal = ReadBudget::signalNumber();
    struct sigaction host {};
    host.sa_handler = [](int) { ++taken; };
    struct sigaction before {};
    sigaction(signal, &host, &before);
    WebPage::parse(*URL::make("https://issuer.example/"), 200, "<p>x");
    raise(signal);
    EXPECT_EQ(taken, 1);
    sigaction(signal, &before, nullptr);
    // A host that takes the signal over mid-read and passes none of the kit's on: the read stops
    // all the same, at its limit or its cancel, at the parser's next allocation.
    const std::string html = repeated("<div>", 20'000);  // a second of the parser's work
    for (const bool cancelling : {false, true}) {
        CancellationSource source;
        std::string met;
        std::thread reader([&] {
            const CancellationScope scope(source.token());
            auto limits = WebPage::limitsFor(html.size());
            limits.cpuTime = cancelling ? std::chrono::nanoseconds(std::chrono::hours(1))
                                        : std::chrono::milliseconds(100);
            try {
                met = limitMet(html, limits);
            } catch (const CancellationError&) {
                met = "cancelled";
            }
        });
        clockid_t clock{};
        pthread_getcpuclockid(reader.native_handle(), &clock);
        for (timespec spent{}; clock_gettime(clock, &spent) == 0 && spent.tv_sec == 0 &&
                               spent.tv_nsec < 20'000'000;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        sigaction(signal, &host, &before);
        if (cancelling) source.cancel();
        reader.join();
        sigaction(signal, &before, nullptr);
        EXPECT_EQ(met,
                  cancelling ? "cancelled" : "the page takes more than 0 s of CPU time to read");
    }
}

TEST(WebPageTest, ReadsTitleTextAndLinksAsShown) {
    const auto page = WebPage::parse(
        *URL::make("https://issuer.example/acs/page"), 200,
        "<TITLE>Pay &amp; go</TITLE><Script type=x>a<b</SCRIPT ><p>One\n  two<!-- <p>no -->"
        "<A class=x HREF=\"next?a=1&amp;b=2\">Next <b>step</b></a><a href='http://[bad'>Bad</a>"
        "<a>No target</a><p>Three<style>p{}</style><title>Later</title>");
    EXPECT_EQ(page.title, "Pay & go");
    EXPECT_EQ(page.lines,
              (std::vector<std::string>{
                  "One twoNext stepBad (a link that cannot be followed: http://[bad)No target",
                  "Three"}));
    ASSERT_EQ(page.links.size(), 1u);
    EXPECT_EQ(page.links.front().text, "Next step");
    EXPECT_EQ(page.links.front().url.absoluteString(), "https://issuer.example/acs/next?a=1&b=2");

    // Read as a browser reads HTML: attributes, references, unclosed and nested tags.
    const struct {
        const char* name;
        const char* html;
        std::vector<std::string> lines;
        std::vector<std::pair<std::string, std::string>> links;  // text, address
    } pages[] = {
        {"a '>' in a quoted value",
         "<span title=\"Shop x><a href=http://other.example/>Approve</a>\">"
         "Pay</span> <a title='a > b' href=/approve>Approve</a>",
         {"Pay Approve"},
         {{"Approve", "https://issuer.example/approve"}}},
        {"an href inside another value",
         "<a title=\"x href=/abandon\" href=\"/cancel\">Cancel</a>",
         {"Cancel"},
         {{"Cancel", "https://issuer.example/cancel"}}},
        {"references",
         "<p>&euro; 70.00, &#8364; 1 &#x20AC;&nbsp;2 &amp x &copy 2026 &euro 3"
         "<a href='pay?a=1&#38;b=2&amp;c=&copy=3'>Pay</a>",
         {"\u20AC 70.00, \u20AC 1 \u20AC 2 & x \u00A9 2026 &euro 3Pay"},
         {{"Pay", "https://issuer.example/acs/pay?a=1&b=2&c=&copy=3"}}},
        {"an unclosed link",
         "<p>Pay? <a href=/approve>Approve",
         {"Pay? Approve"},
         {{"Approve", "https://issuer.example/approve"}}},
        {"addresses the view cannot load",
         "<a href='javascript://host/%0Aalert(1)'>A</a><a href=file://localhost/etc/passwd>B</a>"
         "<A HREF=ftp://files.example/x>C</A>",
         {"A (a link that cannot be followed: javascript://host/%0Aalert(1))B (a link that cannot "
          "be followed: file://localhost/etc/passwd)C (a link that cannot be followed: "
          "ftp://files.example/x)"},
         {}},
        {"a blank after a link that cannot be followed",
         "<a href=ftp://files.example/x>A </a>B",
         {"A (a link that cannot be followed: ftp://files.example/x) B"},
         {}},
        {"unquoted, single-quoted and upper-case",
         "<DIV CLASS=x><A HREF=/Up?a=b class=c>Up</A>"
         "</DIV><a href='/q?x=\"1\"'>Quote</a><a title=\"<b>\" href=/lt>Less</a>",
         {"Up", "QuoteLess"},
         {{"Up", "https://issuer.example/Up?a=b"},
          {"Quote", "https://issuer.example/q?x=%221%22"},
          {"Less", "https://issuer.example/lt"}}},
        {"nested links",
         "<a href=/one>One<a href=/two>Two</a></a><table><tr><td><a href=/three>"
         "Three<table><tr><td><a href=/four>Four</a></table> more</a></table>",
         {"OneTwo", "Three", "Four", "more"},
         {{"One", "https://issuer.example/one"},
          {"Two", "https://issuer.example/two"},
          {"Three more", "https://issuer.example/three"},
          {"Four", "https://issuer.example/four"}}},
        {"table cells",
         "<table><tr><th>Amount<td>25.00 EUR</td></tr><tr><td>Shop</td><td>Acme</td></table>",
         {"Amount 25.00 EUR", "Shop Acme"},
         {}},
        {"what SVG and MathML never draw",
         "<p>Acme<svg><style>.cls-1{fill:#003087;}</style><title>Acme Bank</title>"
         "<desc>Logo</desc><metadata>m</metadata><script>s</script><text> Bank</text>"
         "</svg>: confirm<math><mi>x</mi>"
         "<script>s</script><STYLE>y</STYLE></math>",
         {"Acme Bank: confirmx"},
         {}},
        {"a <base href>",
         "<head><base href=/acs/v2/ target=_top><base href=/other/></head>"
         "<a href=complete>Done</a><a href=/cancel>Cancel</a>",
         {"DoneCancel"},
         {{"Done", "https://issuer.example/acs/v2/complete"},
          {"Cancel", "https://issuer.example/cancel"}}},
        {"a <base href> browsers do not use",
         "<base href='javascript:x'><a href=complete>Done</a>",
         {"Done"},
         {{"Done", "https://issuer.example/acs/complete"}}},
        {"what is never shown",
         "<p>Shown<template><p>T<a href=/t>T</a></template><!-- <a href=/c>C</a> -->"
         "<style>p{}</style><script>document.write('<a href=/s>S</a>')</script>"
         "<noscript><a href=/plain>Continue</a></noscript><p hidden>H",
         {"ShownContinue"},
         {{"Continue", "https://issuer.example/plain"}}},
    };
    for (const auto& row : pages) {
        SCOPED_TRACE(row.name);
        const auto read =
            WebPage::parse(*URL::make("https://issuer.example/acs/page"), 200, row.html);
        EXPECT_EQ(read.lines, row.lines);
        std::vector<std::pair<std::string, std::string>> links;
        for (const auto& link : read.links)
            links.emplace_back(link.text, link.url.absoluteString());
        EXPECT_EQ(links, row.links);
    }

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

// A page is read in the encoding it declares, as a browser reads it.
TEST(WebPageTest, ReadsAPageInTheEncodingItDeclares) {
    const std::string cyrillic =
        "<title>\xCF\xEB\xE0\xF2\xE5\xE6</title><p>\xCF\xF0\xE8\xE2\xE5\xF2 "
        "<a href=/ok>\xC4\xE0</a>";
    const std::string hello = "\u041F\u0440\u0438\u0432\u0435\u0442";
    const auto utf16 = [](std::string_view ascii) {
        std::string bytes = "\xFF\xFE";
        for (const char c : ascii) bytes += {c, '\0'};
        return bytes;
    };
    const struct {
        const char* name;
        std::string bytes;
        std::optional<std::string_view> contentType;
        std::string title;
        std::string line;
        std::string link;
    } rows[] = {
        {"windows-1251 by the reply", cyrillic, "text/html; charset=windows-1251",
         "\u041F\u043B\u0430\u0442\u0435\u0436", hello + " \u0414\u0430", "\u0414\u0430"},
        {"windows-1251 by <meta charset>", "<meta charset=windows-1251>" + cyrillic, "text/html",
         "\u041F\u043B\u0430\u0442\u0435\u0436", hello + " \u0414\u0430", "\u0414\u0430"},
        {"Shift_JIS by <meta http-equiv>",
         "<meta http-equiv=content-type content='text/html; charset=shift_jis'><title>\x83\x4A"
         "\x81\x5B\x83\x68</title><p>\x93\xFA\x96\x7B <a href=/ok>OK</a>",
         std::nullopt, "\u30AB\u30FC\u30C9", "\u65E5\u672C OK", "OK"},
        {"UTF-16 by its mark", utf16("<p>hi <a href=/ok>OK</a>"), "text/html; charset=windows-1251",
         "", "hi OK", "OK"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto page = WebPage::parse(*URL::make("https://issuer.example/acs/page"), 200,
                                         row.bytes, row.contentType);
        EXPECT_EQ(page.title.value_or(""), row.title);
        EXPECT_EQ(page.lines, std::vector<std::string>{row.line});
        ASSERT_EQ(page.links.size(), 1u);
        EXPECT_EQ(page.links.front().text, row.link);
        EXPECT_EQ(page.links.front().url.absoluteString(), "https://issuer.example/ok");
    }
}

}  // namespace
}  // namespace corvend::platform::web
