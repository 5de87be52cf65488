// Reading pages of many tags as the web view does (text, links with their targets checked,
// scripts and styles skipped), against a plain linear scan of the same bytes that only tells
// tags from text. Both grow with the page alone; the ratio is the price of what reading keeps.
// Prints a ratio per kind of page at the end.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "bench/Comparison.hpp"
#include "platform/url/URL.hpp"
#include "platform/web/WebPage.hpp"

namespace {

using corvend::platform::URL;
using corvend::platform::web::WebPage;

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

const URL& pageURL() {
    static const URL url = *URL::make("https://issuer.example/acs/page");
    return url;
}

// Tags and text bytes, one pass, nothing kept.
std::pair<std::size_t, std::size_t> scan(std::string_view html) {
    std::size_t tags = 0;
    std::size_t text = 0;
    bool inTag = false;
    for (const char c : html) {
        if (c == '<') {
            inTag = true;
            ++tags;
        } else if (c == '>') {
            inTag = false;
        } else if (!inTag) {
            ++text;
        }
    }
    return {tags, text};
}

void read(benchmark::State& state, const std::string& html) {
    for (auto _ : state) {
        auto page = WebPage::parse(pageURL(), 200, html);
        benchmark::DoNotOptimize(page.lines.size());
        benchmark::DoNotOptimize(page.links.size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(html.size()));
}

void rawScan(benchmark::State& state, const std::string& html) {
    for (auto _ : state) benchmark::DoNotOptimize(scan(html));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(html.size()));
}

void BM_KitReadScriptsPage(benchmark::State& state) {
    read(state, scriptsPage());
}
void BM_RawScanScriptsPage(benchmark::State& state) {
    rawScan(state, scriptsPage());
}
void BM_KitReadLinksPage(benchmark::State& state) {
    read(state, linksPage());
}
void BM_RawScanLinksPage(benchmark::State& state) {
    rawScan(state, linksPage());
}
BENCHMARK(BM_KitReadScriptsPage)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_RawScanScriptsPage)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_KitReadLinksPage)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_RawScanLinksPage)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    // Both sides must see the same page: every tag the scan counts, the reader met.
    const auto page = WebPage::parse(pageURL(), 200, linksPage());
    if (page.links.size() * 2 != scan(linksPage()).first) {
        std::fprintf(stderr, "the reader and the scan disagree on the links page\n");
        return 1;
    }
    if (!corvend::bench::initializeInterleaved(argc, argv)) return 1;
    corvend::bench::TimeRecorder reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    corvend::bench::printRatio(reporter, "BM_KitReadScriptsPage", "BM_RawScanScriptsPage",
                               "reading a page of 20,000 scripts / linear scan");
    corvend::bench::printRatio(reporter, "BM_KitReadLinksPage", "BM_RawScanLinksPage",
                               "reading a page of 50,000 links / linear scan");
    benchmark::Shutdown();
    return 0;
}
