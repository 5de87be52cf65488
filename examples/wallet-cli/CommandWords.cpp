#include "examples/wallet-cli/CommandWords.hpp"

#include <algorithm>
#include <charconv>
#include <limits>
#include <stdexcept>

namespace corvend::cli {

std::int64_t wholeNumber(std::string_view text, std::string_view what) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text.front() < '0' || text.front() > '9' || error != std::errc() ||
        end != text.data() + text.size()) {
        throw std::invalid_argument(std::string(what) + " '" + std::string(text) +
                                    "' is not a whole number: digits only, at most " +
                                    std::to_string(std::numeric_limits<std::int64_t>::max()));
    }
    return value;
}

std::vector<std::pair<std::string, std::string>> optionPairs(
    std::span<const std::string> words, std::span<const std::string_view> allowed) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::size_t i = 0; i < words.size(); i += 2) {
        const std::string_view word = words[i];
        if (!word.starts_with("--") ||
            std::ranges::find(allowed, word.substr(2)) == allowed.end()) {
            throw std::invalid_argument("unknown option '" + words[i] + "'");
        }
        if (i + 1 == words.size()) throw std::invalid_argument(words[i] + " needs a value");
        pairs.emplace_back(words[i].substr(2), words[i + 1]);
    }
    return pairs;
}

}  // namespace corvend::cli
