#include "examples/wallet-cli/CommandWords.hpp"

#include <algorithm>
#include <charconv>
#include <limits>
#include <stdexcept>

#include "CorvendWallet/Screens.hpp"
#include "platform/foundation/Locale.hpp"
#include "platform/foundation/NumberFormatter.hpp"

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

std::int64_t amountIn(std::string_view text, std::string_view currency) {
    const int digits = platform::NumberFormatter::currency(currency, platform::Locale("en_US"))
                           .maximumFractionDigits();
    const auto refuse = [&](std::string_view why) {
        return std::invalid_argument("'" + std::string(text) + "' is not an amount in " +
                                     std::string(currency) + ": " + std::string(why));
    };
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto allDigits = [](std::string_view part) {
        return std::ranges::all_of(part, [](char c) { return c >= '0' && c <= '9'; });
    };
    if (whole.empty() || !allDigits(whole) || !allDigits(fraction) ||
        (point != std::string_view::npos && fraction.empty())) {
        throw refuse(digits == 0 ? "digits only, with no sign"
                                 : "digits, with no sign, and a point before the cents");
    }
    if (fraction.size() > static_cast<std::size_t>(digits)) {
        throw refuse("at most " + std::to_string(digits) + " digit(s) after the point");
    }
    // Whole units, then each minor-unit digit, so the value is exact and overflow is seen.
    std::int64_t value = 0;
    const auto push = [&](char digit) {
        if (__builtin_mul_overflow(value, std::int64_t{10}, &value) ||
            __builtin_add_overflow(value, std::int64_t{digit - '0'}, &value)) {
            throw refuse("too large");
        }
    };
    for (const char c : whole) push(c);
    for (int i = 0; i < digits; ++i)
        push(static_cast<std::size_t>(i) < fraction.size() ? fraction[i] : '0');
    return value;
}

std::string moneyText(std::int64_t amount, std::string_view currency) {
    const std::string text = Wallet::MoneyFormatter().format(amount, currency);
    return text.empty() ? std::to_string(amount) + " " + std::string(currency) : text;
}

std::string joined(const std::vector<std::string>& words, std::string_view separator) {
    std::string text;
    for (const auto& word : words) {
        if (!text.empty()) text += separator;
        text += word;
    }
    return text;
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
