// The transfer list reply as the kit reads it (decode into the wire page, then map to the
// public list) against a raw simdjson DOM parse of the same bytes. Prints the ratio at the end.

#include <benchmark/benchmark.h>
#include <simdjson.h>

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>

#include "CorvendWallet/networking/SharedCoders.hpp"
#include "CorvendWallet/services/money/TransferRepository.hpp"

namespace {

using corvend::platform::Data;

constexpr int kRecords = 1000;

const Data& listBody() {
    static const Data body = [] {
        std::string text = R"({"transfers":[)";
        for (int i = 0; i < kRecords; ++i) {
            if (i > 0) text += ",";
            const std::string n = std::to_string(i);
            text += R"({"id":"tr-)" + n + R"(","amount":)" + std::to_string(1000 + i) +
                    R"(,"currencyCode":"EUR","recipient":{"customerId":"c-)" + n +
                    R"(","email":"user)" + n + R"(@example.com"},"merchantRefNum":"order-)" + n +
                    R"(","fxQuote":"fxq-)" + n +
                    R"(","transferDetails":{"reason":"PEER_TRANSFER","description":"rent share"},)"
                    R"("fees":[{"amount":10,"currency":"EUR","paymentReason":"FX_FEE"}],)"
                    R"("creationTime":"2024-03-05T14:07:09.589Z",)"
                    R"("expirationTime":"2024-03-05T14:17:09Z","status":"COMPLETED",)"
                    R"("slipId":"S-)" +
                    n + R"(","fxAmount":{"amount":1085,"rate":1.0850,"currency":"USD"}})";
        }
        text += R"(],"meta":{"numberOfRecords":1000,"limit":1000,"offset":0,"page":1}})";
        return Data(text);
    }();
    return body;
}

void BM_DecodeAndMap(benchmark::State& state) {
    const Data& body = listBody();
    const auto& decoder = corvend::sharedResponseDecoder();
    for (auto _ : state) {
        auto list = corvend::TransferRepository::mapTransferList(
            decoder.decode<corvend::TransferServiceEndpoint::CustomerTransferListResponse>(body));
        if (list.transfers().size() != kRecords) throw std::logic_error("short list");
        benchmark::DoNotOptimize(list);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * body.size()));
}
BENCHMARK(BM_DecodeAndMap)->Unit(benchmark::kMicrosecond);

void BM_RawDomParse(benchmark::State& state) {
    const Data& body = listBody();
    simdjson::dom::parser parser;
    const simdjson::padded_string_view view(body.data(), body.size(), body.capacity());
    for (auto _ : state) {
        simdjson::dom::element root;
        if (parser.parse(view).get(root)) throw std::logic_error("parse failed");
        benchmark::DoNotOptimize(root);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * body.size()));
}
BENCHMARK(BM_RawDomParse)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's best time per iteration for the closing ratio.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
            const double time = run.GetAdjustedRealTime();
            auto [it, inserted] = times.try_emplace(run.run_name.function_name, time);
            if (!inserted && time < it->second) it->second = time;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::printf("Body: %d transfers, %zu bytes\n", kRecords, listBody().size());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto kit = reporter.times.find("BM_DecodeAndMap");
    const auto raw = reporter.times.find("BM_RawDomParse");
    if (kit != reporter.times.end() && raw != reporter.times.end() && raw->second > 0) {
        std::printf("Ratio decode-and-map / raw DOM parse: %.2f\n", kit->second / raw->second);
    }
    return 0;
}
