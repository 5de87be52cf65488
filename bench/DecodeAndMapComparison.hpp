#pragma once

// What the benchmarks of the kit's list replies share: the kit's side, decode with the shared
// decoder and map to the public list, against the raw DOM parse (see DecodeComparison.hpp).

#include <benchmark/benchmark.h>

#include <cstddef>

#include "CorvendWallet/networking/SharedCoders.hpp"
#include "bench/DecodeComparison.hpp"

namespace corvend::bench {

// The main of a list benchmark whose kit side is "decode `body` as Page with the shared
// decoder, then `map` it": registers that as "BM_DecodeAndMap" (`count` of the mapped list must
// be `records`) and runs it against the raw DOM parse (see runDecodeComparison()).
template <class Page, class Map, class Count>
int runDecodeAndMapComparison(int argc, char** argv, const platform::Data& body,
                              std::size_t records, Map map, Count count) {
    benchmark::RegisterBenchmark("BM_DecodeAndMap", [&body, records, map,
                                                     count](benchmark::State& state) {
        const auto& decoder = sharedResponseDecoder();
        timeDecode(
            state, body, records,
            [&decoder, &map](const platform::Data& data) {
                return map(decoder.decode<Page>(data));
            },
            count);
    })->Unit(benchmark::kMicrosecond);
    return runDecodeComparison(argc, argv, body, records, "BM_DecodeAndMap",
                               "decode-and-map / raw DOM parse");
}

}  // namespace corvend::bench
