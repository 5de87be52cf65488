// Brand detection and full validation of 16-digit card numbers as the card screens run them (the
// kit's compiled patterns, then the number validator), against a hand-written prefix-and-Luhn
// check of the same numbers. Prints the ratio at the end.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "CorvendWallet/CorvendWallet.hpp"
#include "CorvendWallet/Screens.hpp"
#include "bench/Comparison.hpp"

namespace {

using corvend::Wallet;

constexpr int kNumbers = 1000;

// Numbers of every brand (and some of none), each with its Luhn check digit.
const std::vector<std::string>& numbers() {
    static const std::vector<std::string> made = [] {
        constexpr std::array<std::string_view, 8> prefixes = {"4",      "51",       "55",   "2221",
                                                              "539152", "53314900", "2721", "9"};
        std::vector<std::string> list;
        std::uint64_t seed = 42;
        for (int i = 0; i < kNumbers; ++i) {
            std::string number(prefixes[static_cast<std::size_t>(i) % prefixes.size()]);
            while (number.size() < 15) {
                seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
                number += static_cast<char>('0' + (seed >> 33) % 10);
            }
            int sum = 0;
            for (std::size_t k = 0; k < number.size(); ++k) {
                int digit = number[number.size() - 1 - k] - '0';
                if (k % 2 == 0) digit = digit * 2 > 9 ? digit * 2 - 9 : digit * 2;
                sum += digit;
            }
            number += static_cast<char>('0' + (10 - sum % 10) % 10);
            list.push_back(number);
        }
        return list;
    }();
    return made;
}

void BM_KitDetectAndValidate(benchmark::State& state) {
    const Wallet::CardNumberValidator validator(
        {Wallet::CardType::masterCard, Wallet::CardType::visa});
    for (auto _ : state) {
        int valid = 0;
        for (const std::string& number : numbers()) {
            benchmark::DoNotOptimize(Wallet::CardType(number));
            valid += validator.validate(number) == Wallet::CardNumberValidationResult::valid;
        }
        benchmark::DoNotOptimize(valid);
    }
    state.SetItemsProcessed(state.iterations() * kNumbers);
}
BENCHMARK(BM_KitDetectAndValidate)->Repetitions(9)->ReportAggregatesOnly(true);

// 0 Mastercard, 1 Visa, 2 and 3 the prepaid ranges, 4 none.
int handWrittenBrand(std::string_view n) {
    for (std::string_view p : {"539152", "531306", "410837", "434816", "533952", "529559"}) {
        if (n.starts_with(p)) return 2;
    }
    for (std::string_view p : {"528838", "541592", "541591", "539125", "539258", "53314900"}) {
        if (n.starts_with(p)) return 3;
    }
    if (n.size() >= 2 && n[0] == '5' && n[1] >= '1' && n[1] <= '5') return 0;
    if (n.size() >= 5 && n[0] == '2') {
        const int four = std::stoi(std::string(n.substr(0, 4)));
        if (four >= 2221 && four <= 2720) return 0;
    }
    return !n.empty() && n[0] == '4' ? 1 : 4;
}

bool handWrittenLuhn(std::string_view n) {
    int sum = 0;
    for (std::size_t k = 0; k < n.size(); ++k) {
        int digit = n[n.size() - 1 - k] - '0';
        if (k % 2 == 1) digit = digit * 2 > 9 ? digit * 2 - 9 : digit * 2;
        sum += digit;
    }
    return sum % 10 == 0;
}

void BM_HandWrittenPrefixAndLuhn(benchmark::State& state) {
    for (auto _ : state) {
        int valid = 0;
        for (const std::string& number : numbers()) {
            const int brand = handWrittenBrand(number);
            benchmark::DoNotOptimize(brand);
            valid += brand <= 1 && number.size() == 16 && handWrittenLuhn(number);
        }
        benchmark::DoNotOptimize(valid);
    }
    state.SetItemsProcessed(state.iterations() * kNumbers);
}
BENCHMARK(BM_HandWrittenPrefixAndLuhn)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    // Both sides must answer alike, or the comparison means nothing.
    const Wallet::CardNumberValidator validator(
        {Wallet::CardType::masterCard, Wallet::CardType::visa});
    for (const std::string& number : numbers()) {
        const bool kit = validator.validate(number) == Wallet::CardNumberValidationResult::valid;
        const int brand = handWrittenBrand(number);
        if (kit != (brand <= 1 && handWrittenLuhn(number))) {
            std::fprintf(stderr, "the two checks differ on %s\n", number.c_str());
            return 1;
        }
    }
    if (!corvend::bench::initializeInterleaved(argc, argv)) return 1;
    corvend::bench::runAndPrintRatio("BM_KitDetectAndValidate", "BM_HandWrittenPrefixAndLuhn",
                                     "card detection and validation / hand-written check");
    benchmark::Shutdown();
    return 0;
}
