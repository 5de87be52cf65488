#pragma once

// What the benchmarks that compare the kit with the raw library underneath share: interleaved
// repetitions, the median of each, and the printed ratio.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvend::bench {

// Prints as usual and keeps each benchmark's median wall time per iteration.
class MedianRecorder : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians_[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::optional<double> median(const std::string& name) const {
        auto it = medians_.find(name);
        if (it == medians_.end()) return std::nullopt;
        return it->second;
    }

  private:
    std::map<std::string, double> medians_;
};

// Initialises the library with the repetitions of the two benchmarks interleaved, so drift on a
// shared machine hits both alike. False when the command line has unknown flags.
inline bool initializeInterleaved(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    static std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    return !benchmark::ReportUnrecognizedArguments(count, args.data());
}

// Runs every benchmark and prints "ratio <label>: <kit median / raw median>".
inline void runAndPrintRatio(const char* kit, const char* raw, const char* label) {
    MedianRecorder reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto kitTime = reporter.median(kit);
    const auto rawTime = reporter.median(raw);
    if (kitTime && rawTime && *rawTime > 0) {
        std::printf("ratio %s (median wall time): %.3f\n", label, *kitTime / *rawTime);
    } else {
        std::printf("ratio %s: n/a (both benchmarks must run)\n", label);
    }
}

}  // namespace corvend::bench
