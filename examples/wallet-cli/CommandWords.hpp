#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CorvendWallet/CorvendWallet.hpp"
#include "examples/wallet-cli/CommandTable.hpp"

// What the commands share to read their words and print what the kit answered.
namespace corvend::cli {

// The one parser of the amounts and counts the commands take: the whole text must be decimal
// digits, with no sign, blank or decimal point, and fit an int64_t; throws
// std::invalid_argument naming `what` otherwise.
std::int64_t wholeNumber(std::string_view text, std::string_view what);

// The "--name value" pairs of `words`, in order, repeats kept. Throws std::invalid_argument
// for a name not in `allowed`, a word that is no option, or an option without its value.
std::vector<std::pair<std::string, std::string>> optionPairs(
    std::span<const std::string> words, std::span<const std::string_view> allowed);

// The completion that prints `describe(value)` to `out` and ends `succeeded`, or
// "<what> failed: <error>" to `err` and ends `failed`. `out` and `err` must outlive it.
template <class T, class Describe>
std::function<void(Result<T>)> resultPrinter(std::ostream& out, std::ostream& err, std::string what,
                                             CommandTable::Done done, Describe describe) {
    return [&out, &err, what = std::move(what), done = std::move(done),
            describe = std::move(describe)](Result<T> result) {
        if (!result) {
            err << what << " failed: " << result.error().description() << std::endl;
            done(Outcome::failed);
            return;
        }
        out << describe(*result) << std::endl;
        done(Outcome::succeeded);
    };
}

}  // namespace corvend::cli
