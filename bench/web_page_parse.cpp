// Reading pages as the web view does (text, links with their targets checked, what is never
// shown skipped), against a bare parse of the same bytes by the HTML5 parser underneath (Gumbo:
// the tree built, then freed). The ratio is the price of the reader's walk and of what it keeps.
// Prints a ratio per kind of page at the end.

#include <benchmark/benchmark.h>
#include <gumbo.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

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
BENCHMARK(BM_KitReadScriptsPage)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_RawParseScriptsPage)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_KitReadLinksPage)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_RawParseLinksPage)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    // Both sides must see the same page: every link the parser builds, the reader offers.
    const auto page = WebPage::parse(pageURL(), 200, linksPage());
    if (page.links.size() != bareParse(linksPage())) {
        std::fprintf(stderr, "the reader and the parser disagree on the links page\n");
        return 1;
    }
    if (!corvend::bench::initializeInterleaved(argc, argv)) return 1;
    corvend::bench::TimeRecorder reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    corvend::bench::printRatio(reporter, "BM_KitReadScriptsPage", "BM_RawParseScriptsPage",
                               "reading a page of 20,000 scripts / bare Gumbo parse");
    corvend::bench::printRatio(reporter, "BM_KitReadLinksPage", "BM_RawParseLinksPage",
                               "reading a page of 50,000 links / bare Gumbo parse");
    benchmark::Shutdown();
    return 0;
}
