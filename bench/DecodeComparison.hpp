#pragma once

// What the list-decoding benchmarks share: the timed decode loop, and the raw DOM parse of the
// same bytes by the parser underneath as the baseline, with nothing mapped.

#include <benchmark/benchmark.h>
#include <simdjson.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>

#include "bench/Comparison.hpp"
#include "platform/foundation/Data.hpp"

namespace corvend::bench {

// Runs `decode(body)` once per iteration; `count` of its result must be `records`, else it
// throws std::logic_error (a decoder that stops early would time nothing).
template <class Decode, class Count>
void timeDecode(benchmark::State& state, const platform::Data& body, std::size_t records,
                Decode decode, Count count) {
    for (auto _ : state) {
        auto list = decode(body);
        if (count(list) != records) throw std::logic_error("short list");
        benchmark::DoNotOptimize(list);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * body.size()));
}

// Parses `body` into the parser's DOM once per iteration; throws std::logic_error when the body
// is not JSON.
inline void rawDomParse(benchmark::State& state, const platform::Data& body) {
    simdjson::dom::parser parser;
    const simdjson::padded_string_view view(body.data(), body.size(), body.capacity());
    for (auto _ : state) {
        simdjson::dom::element root;
        if (parser.parse(view).get(root)) throw std::logic_error("parse failed");
        benchmark::DoNotOptimize(root);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * body.size()));
}

// One raw DOM parse of `body` with a parser of its own, as each run of BM_RawDomParse ends:
// freeing the parser's large buffers raises glibc's trim threshold. Done before any timing so
// that the kit's side never runs in a heap that trims and refaults its list on every
// iteration merely because it ran before the raw side.
inline void settleHeap(const platform::Data& body) {
    simdjson::dom::parser parser;
    const simdjson::padded_string_view view(body.data(), body.size(), body.capacity());
    simdjson::dom::element root;
    if (parser.parse(view).get(root)) throw std::logic_error("parse failed");
}

// The main of a list-decoding comparison: registers the raw DOM parse of `body` as
// "BM_RawDomParse", settles the heap (see settleHeap()), runs every benchmark and prints the
// best-run ratio of `kit` to it. Returns the process exit code (1 for unknown flags).
inline int runDecodeComparison(int argc, char** argv, const platform::Data& body,
                               std::size_t records, const char* kit, const char* label) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    settleHeap(body);
    std::printf("Body: %zu records, %zu bytes (%zu bytes per record)\n", records, body.size(),
                body.size() / records);
    benchmark::RegisterBenchmark("BM_RawDomParse", [&body](benchmark::State& state) {
        rawDomParse(state, body);
    })->Unit(benchmark::kMicrosecond);
    runAndPrintBestRatio(kit, "BM_RawDomParse", label);
    return 0;
}

}  // namespace corvend::bench
