// Reading pages as the web view does (text, links with their targets checked, what is never
// shown skipped), against a bare parse of the same bytes by the HTML5 parser underneath (Gumbo:
// the tree built, then freed). The ratio is the price of the reader's walk, of what it keeps and
// of its bounded allocator. Prints a ratio per kind of page at the end, then how soon hostile
// pages stop: after a cancel, and at the CPU limit; and how long the largest page takes.

#include <benchmark/benchmark.h>
#include <gumbo.h>
#include <unicode/ucnv.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "bench/Comparison.hpp"
#include "platform/async/CancellationToken.hpp"
#include "platform/url/URL.hpp"
#include "platform/web/WebPage.hpp"
#include "tests/support/FailingPages.hpp"

namespace {

using corvend::platform::CancellationScope;
using corvend::platform::CancellationSource;
using corvend::platform::URL;
using corvend::platform::web::WebPage;
using Clock = std::chrono::steady_clock;

std::string repeated(std::string_view piece, int times) {
    std::string out;
    out.reserve(piece.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

// 20,000 empty scripts and styles between short paragraphs (~760 KB): the page that read the
// rest of the document again for every tag.
const std::string& scriptsPage() {
    static const std::string page = repeated("<p>Step<script></script><STYLE>p{}</STYLE>", 10'000) +
                                    repeated("<script type='x'></script>", 10'000);
    return page;
}

// 50,000 minimal links (~750 KB).
const std::string& linksPage() {
    static const std::string page = repeated("<a href=x>y</a>", 50'000);
    return page;
}

// A 3-D Secure page's size (~10 KB): what a read costs beyond its bytes.
const std::string& smallPage() {
    static const std::string page =
        "<title>Confirm your payment</title>" +
        repeated("<p>Pay 25.00 EUR to Acme<a href='/acs/approve?id=7'>Approve</a>", 150);
    return page;
}

// A 3-D Secure page in windows-1251 (~580 KB): Cyrillic words and links, decoded before the
// parse.
const std::string& cyrillicPage() {
    static const std::string page =
        "<title>\xCF\xEE\xE4\xF2\xE2\xE5\xF0\xE6\xE4\xE5\xED\xE8\xE5</title>" +
        repeated(
            "<p>\xCE\xEF\xEB\xE0\xF2\xE0 25.00 EUR \xE2 \xEC\xE0\xE3\xE0\xE7\xE8\xED\xE5 Acme "
            "<a href='/acs/approve?id=7'>\xCF\xEE\xE4\xF2\xE2\xE5\xF0\xE4\xE8\xF2\xFC</a>",
            8'000);
    return page;
}
constexpr std::string_view kCyrillicType = "text/html; charset=windows-1251";

const URL& pageURL() {
    static const URL url = *URL::make("https://issuer.example/acs/page");
    return url;
}

// The tree Gumbo builds of `html`, and how many <a> elements it holds; freed again.
std::size_t bareParse(std::string_view html) {
    GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, html.data(), html.size());
    std::size_t anchors = 0;
    std::vector<const GumboNode*> pending{output->document};
    while (!pending.empty()) {
        const GumboNode* node = pending.back();
        pending.pop_back();
        if (node->type != GUMBO_NODE_DOCUMENT && node->type != GUMBO_NODE_ELEMENT) continue;
        const GumboVector& children = node->type == GUMBO_NODE_DOCUMENT ? node->v.document.children
                                                                        : node->v.element.children;
        if (node->type == GUMBO_NODE_ELEMENT && node->v.element.tag == GUMBO_TAG_A) ++anchors;
        for (unsigned i = 0; i < children.length; ++i) {
            pending.push_back(static_cast<const GumboNode*>(children.data[i]));
        }
    }
    gumbo_destroy_output(&kGumboDefaultOptions, output);
    return anchors;
}

void read(benchmark::State& state, const std::string& html) {
    for (auto _ : state) {
        auto page = WebPage::parse(pageURL(), 200, html);
        benchmark::DoNotOptimize(page.lines.size());
        benchmark::DoNotOptimize(page.links.size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(html.size()));
}

// What reading a page in a legacy encoding takes without the kit: ICU's conversion of it to
// UTF-8, then Gumbo's parse.
void rawDecodeAndParse(benchmark::State& state, const std::string& bytes, const char* encoding) {
    for (auto _ : state) {
        const std::size_t room = 3 * bytes.size() + 16;
        const auto text = std::make_unique_for_overwrite<char[]>(room);
        UErrorCode error = U_ZERO_ERROR;
        const int32_t length =
            ucnv_convert("UTF-8", encoding, text.get(), static_cast<int32_t>(room), bytes.data(),
                         static_cast<int32_t>(bytes.size()), &error);
        if (U_FAILURE(error)) state.SkipWithError(u_errorName(error));
        GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, text.get(),
                                                       static_cast<std::size_t>(length));
        benchmark::DoNotOptimize(output->root);
        gumbo_destroy_output(&kGumboDefaultOptions, output);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void rawParse(benchmark::State& state, const std::string& html) {
    for (auto _ : state) {
        GumboOutput* output =
            gumbo_parse_with_options(&kGumboDefaultOptions, html.data(), html.size());
        benchmark::DoNotOptimize(output->root);
        gumbo_destroy_output(&kGumboDefaultOptions, output);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(html.size()));
}

void BM_KitReadScriptsPage(benchmark::State& state) {
    read(state, scriptsPage());
}
void BM_RawParseScriptsPage(benchmark::State& state) {
    rawParse(state, scriptsPage());
}
void BM_KitReadLinksPage(benchmark::State& state) {
    read(state, linksPage());
}
void BM_RawParseLinksPage(benchmark::State& state) {
    rawParse(state, linksPage());
}
void BM_KitReadSmallPage(benchmark::State& state) {
    read(state, smallPage());
}
void BM_RawParseSmallPage(benchmark::State& state) {
    rawParse(state, smallPage());
}
void BM_KitReadCyrillicPage(benchmark::State& state) {
    for (auto _ : state) {
        auto page = WebPage::parse(pageURL(), 200, cyrillicPage(), kCyrillicType);
        benchmark::DoNotOptimize(page.lines.size());
        benchmark::DoNotOptimize(page.links.size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(cyrillicPage().size()));
}
void BM_RawDecodeAndParseCyrillicPage(benchmark::State& state) {
    rawDecodeAndParse(state, cyrillicPage(), "windows-1251");
}
double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Reads `html` on a thread of its own without a memory or CPU limit, cancels the read after
// 300 ms, and says how long it took to stop after that.
void stopAfterCancel(const char* name, const std::string& html) {
    CancellationSource source;
    std::string how = "read to its end";
    std::thread reader([&] {
        const CancellationScope scope(source.token());
        try {
            WebPage::parse(pageURL(), 200, html,
                           {.memoryBytes = ~std::size_t{0}, .cpuTime = std::chrono::hours(1)});
        } catch (const std::exception& error) {
            how = error.what();
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto cancelled = Clock::now();
    source.cancel();
    reader.join();
    std::printf("%s: %s, %.3f s after its cancel\n", name, how.c_str(), secondsSince(cancelled));
}

// Reads `html` within the kit's limits and says how it ended and when.
void readWithinLimits(const char* name, const std::string& html) {
    const auto start = Clock::now();
    std::string how = "read";
    try {
        WebPage::parse(pageURL(), 200, html);
    } catch (const std::exception& error) {
        how = error.what();
    }
    std::printf("%s (%.1f MiB): %s in %.2f s\n", name, static_cast<double>(html.size()) / (1 << 20),
                how.c_str(), secondsSince(start));
}

void stopsAndLimits() {
    stopAfterCancel("200,000 nested <div>", repeated("<div>", 200'000));
    stopAfterCancel("1,000 formatting elements re-opened in 1,000 blocks",
                    corvend::testing::reopeningPage(1'000));
    const std::string underSpans =
        repeated("<span>", 40'000) + "<b>" + std::string(std::size_t{6} << 20, 't');
    stopAfterCancel("6 MiB of text under 40,000 open <span>", underSpans);
    readWithinLimits("6 MiB of text under 40,000 open <span>", underSpans);
    readWithinLimits("a 15 MiB link re-opened in 20 blocks",
                     "<p><a href='https://issuer.example/" +
                         std::string(std::size_t{15} << 20, 'a') + "'>x</p>" +
                         repeated("<p>y</p>", 20));
    readWithinLimits("1,000 formatting elements re-opened in 1,000 blocks",
                     corvend::testing::reopeningPage(1'000));
    readWithinLimits("300,000 links",
                     repeated("<p><a href='/pay/confirm?id=7'>Approve 25.00 EUR</a>", 300'000));
    readWithinLimits("nested <div> up to the size cap", repeated("<div>", 3'200'000));
}

BENCHMARK(BM_KitReadScriptsPage)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_RawParseScriptsPage)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_KitReadLinksPage)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_RawParseLinksPage)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_KitReadSmallPage)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_RawParseSmallPage)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_KitReadCyrillicPage)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_RawDecodeAndParseCyrillicPage)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    // Both sides must see the same page: every link the parser builds, the reader offers.
    const auto page = WebPage::parse(pageURL(), 200, linksPage());
    if (page.links.size() != bareParse(linksPage())) {
        std::fprintf(stderr, "the reader and the parser disagree on the links page\n");
        return 1;
    }
    // And the legacy page is read in its own letters, every link offered.
    const auto cyrillic = WebPage::parse(pageURL(), 200, cyrillicPage(), kCyrillicType);
    if (cyrillic.links.size() != 8'000 ||
        cyrillic.links.front().text !=
            "\u041F\u043E\u0434\u0442\u0432\u0435\u0440\u0434\u0438\u0442\u044C") {
        std::fprintf(stderr, "the reader did not read the windows-1251 page as written\n");
        return 1;
    }
    if (!corvend::bench::initializeInterleaved(argc, argv)) return 1;
    corvend::bench::TimeRecorder reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    corvend::bench::printRatio(reporter, "BM_KitReadScriptsPage", "BM_RawParseScriptsPage",
                               "reading a page of 20,000 scripts / bare Gumbo parse");
    corvend::bench::printRatio(reporter, "BM_KitReadLinksPage", "BM_RawParseLinksPage",
                               "reading a page of 50,000 links / bare Gumbo parse");
    corvend::bench::printRatio(reporter, "BM_KitReadSmallPage", "BM_RawParseSmallPage",
                               "reading a 10 KB page / bare Gumbo parse");
    corvend::bench::printRatio(reporter, "BM_KitReadCyrillicPage",
                               "BM_RawDecodeAndParseCyrillicPage",
                               "reading a windows-1251 page / ICU's conversion and Gumbo's parse");
    stopsAndLimits();
    benchmark::Shutdown();
    return 0;
}
