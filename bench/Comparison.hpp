#pragma once

// What the benchmarks that compare the kit with the raw library underneath share: interleaved
// repetitions and the median of each, or the best run of each, and the printed ratio.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvend::bench {

// Prints as usual and keeps, per benchmark, the median wall time per iteration of its
// repetitions and its best time per iteration. The best run is the one least disturbed by other
// work on the machine.
class TimeRecorder : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const double time = run.GetAdjustedRealTime();
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians_[name] = time;
            } else if (run.run_type == Run::RT_Iteration) {
                auto [it, inserted] = best_.try_emplace(name, time);
                if (!inserted && time < it->second) it->second = time;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::optional<double> median(const std::string& name) const { return find(medians_, name); }
    std::optional<double> best(const std::string& name) const { return find(best_, name); }

  private:
    static std::optional<double> find(const std::map<std::string, double>& times,
                                      const std::string& name) {
        auto it = times.find(name);
        if (it == times.end()) return std::nullopt;
        return it->second;
    }

    std::map<std::string, double> medians_;
    std::map<std::string, double> best_;
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

// Prints "ratio <label>: <kit median / raw median>" of benchmarks that have run.
inline void printRatio(const TimeRecorder& reporter, const char* kit, const char* raw,
                       const char* label) {
    const auto kitTime = reporter.median(kit);
    const auto rawTime = reporter.median(raw);
    if (kitTime && rawTime && *rawTime > 0) {
        std::printf("ratio %s (median wall time): %.3f\n", label, *kitTime / *rawTime);
    } else {
        std::printf("ratio %s: n/a (both benchmarks must run)\n", label);
    }
}

// Runs every benchmark and prints "ratio <label>: <kit median / raw median>".
inline void runAndPrintRatio(const char* kit, const char* raw, const char* label) {
    TimeRecorder reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatio(reporter, kit, raw, label);
}

// Runs every benchmark, shuts the library down and prints "Ratio <label>: <kit best / raw
// best>"; nothing when either did not run.
inline void runAndPrintBestRatio(const char* kit, const char* raw, const char* label) {
    TimeRecorder reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto kitTime = reporter.best(kit);
    const auto rawTime = reporter.best(raw);
    if (kitTime && rawTime && *rawTime > 0) {
        std::printf("Ratio %s: %.2f\n", label, *kitTime / *rawTime);
    }
}

}  // namespace corvend::bench
