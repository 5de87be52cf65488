#include "examples/wallet-cli/CommandWords.hpp"

#include <unicode/ucurr.h>
#include <unicode/uenum.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <functional>
#include <iterator>
#include <limits>
#include <optional>
#include <set>
#include <stdexcept>

#include "CorvendWallet/Screens.hpp"
#include "examples/wallet-cli/TerminalText.hpp"
#include "platform/foundation/Locale.hpp"
#include "platform/foundation/NumberFormatter.hpp"
#include "platform/url/URL.hpp"
#include "platform/web/WebView.hpp"

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
        throw refuse("at most " + counted(static_cast<std::size_t>(digits), "digit") +
                     " after the point");
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

std::optional<std::string> knownCurrency(std::string_view text) {
    // Every code ICU knows, current or not, read once.
    static const std::set<std::string, std::less<>> known = [] {
        std::set<std::string, std::less<>> codes;
        UErrorCode status = U_ZERO_ERROR;
        UEnumeration* all = ucurr_openISOCurrencies(UCURR_ALL, &status);
        while (U_SUCCESS(status)) {
            const char* code = uenum_next(all, nullptr, &status);
            if (code == nullptr) break;
            codes.emplace(code);
        }
        uenum_close(all);
        return codes;
    }();
    std::string code(text);
    std::ranges::transform(code, code.begin(), [](unsigned char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : static_cast<char>(c);
    });
    const bool letters =
        code.size() == 3 && std::ranges::all_of(code, [](char c) { return c >= 'A' && c <= 'Z'; });
    if (!letters || !known.contains(code)) return std::nullopt;
    return code;
}

std::string currencyCode(std::string_view text) {
    if (auto code = knownCurrency(text)) return *std::move(code);
    throw std::invalid_argument("'" + std::string(text) +
                                "' is not a currency: three letters of a currency code, in "
                                "either case (EUR, usd)");
}

std::string webAddress(std::string_view text, std::string_view what) {
    const auto url = platform::URL::make(text);
    if (!url || (url->scheme() != "http" && url->scheme() != "https")) {
        throw std::invalid_argument("'" + std::string(text) + "' is not " + std::string(what) +
                                    ": an absolute http or https URL");
    }
    return std::string(text);
}

namespace {

// The kit's own code an error carries, if any.
std::optional<std::string> kitCode(const Error& error) {
    if (const auto configuration = error.as<Wallet::ConfigurationError>()) {
        return configuration->code();
    }
    if (const auto walletError = error.as<Wallet::WalletError>()) {
        if (const auto* internal = walletError->as<Wallet::WalletError::InternalError>()) {
            return internal->code;
        }
    }
    return std::nullopt;
}

// The correlation identifier an error of the kit's carries, if any.
std::optional<std::string> errorID(const Error& error) {
    if (const auto walletError = error.as<Wallet::WalletError>()) return walletError->errorID();
    if (const auto configuration = error.as<Wallet::ConfigurationError>())
        return configuration->errorID();
    return std::nullopt;
}

}  // namespace

std::string messageText(const Error& error) {
    const auto walletError = error.as<Wallet::WalletError>();
    const auto* data = walletError ? walletError->as<Wallet::WalletError::DataError>() : nullptr;
    if (data == nullptr) {
        std::string text = error.description();
        // The kit ends it with its own line, "\nError ID: <id>", told apart by errorIDLine.
        const auto id = errorID(error);
        if (const std::string line = id ? "\nError ID: " + *id : ""; text.ends_with(line))
            text.resize(text.size() - line.size());
        return TerminalText::inLine(text);
    }
    // The kit's lines (the message, the details, the field errors) stand, the last two set in
    // under the message, so that the service's words never start a line at the host's margin;
    // the words in them are escaped.
    const auto& details = data->details;
    std::string text = "[" + TerminalText::inLine(details.code) + "] " +
                       TerminalText::inLine(details.message.value_or(""));
    if (details.details) text += "\n  " + TerminalText::inLine(joined(*details.details, ", "));
    if (details.fieldErrors) {
        std::vector<std::string> fields;
        for (const auto& field : *details.fieldErrors)
            fields.push_back(field.field + ": " + field.error);
        text += "\n  " + TerminalText::inLine(joined(fields, ", "));
    }
    return text;
}

std::string errorIDLine(const Error& error) {
    const auto id = errorID(error);
    return id ? "\nError ID: " + TerminalText::inLine(*id) : "";
}

std::string descriptionText(const Error& error) {
    return messageText(error) + errorIDLine(error);
}

std::string termsText(std::int64_t amount, std::string_view currency,
                      const std::optional<std::string>& recipient) {
    return moneyText(amount, currency) +
           (recipient ? " to " + TerminalText::inLine(*recipient) : std::string());
}

std::string otherTermsText(std::string_view said, std::string_view noun, std::string_view id,
                           std::string_view stated, std::string_view asked, std::string_view left) {
    const std::string named = std::string(noun) + " " + TerminalText::inLine(id);
    return std::string(said) + " says " + std::string(stated) + ", not " + std::string(asked) +
           " as asked; " + named + " " + std::string(left) + " (`" + std::string(noun) + " get " +
           TerminalText::inLine(id) + "` shows it)";
}

std::string namedAnother(std::string_view noun, std::string_view named, std::string_view asked) {
    const std::string kind(noun);
    return "named " + kind + " " + std::string(named) + ", not " + kind + " " + std::string(asked);
}

namespace {

// `text` as the writer shows it: what() is a C string, which a NUL in an id would cut short.
std::string shownWhole(std::string_view text) {
    TerminalText escape;
    std::string shown;
    for (const char c : text) escape.put(c, shown);
    escape.end(shown);
    return shown;
}

}  // namespace

OtherRecordNamed::OtherRecordNamed(std::string_view noun, std::string_view named,
                                   std::string_view asked)
    : std::runtime_error(shownWhole("the reply " + namedAnother(noun, named, asked))) {}

std::optional<std::string> otherRecordRefused(const Error& error) {
    const auto walletError = error.as<Wallet::WalletError>();
    const auto* internal =
        walletError ? walletError->as<Wallet::WalletError::InternalError>() : nullptr;
    return internal ? internal->namedRecord : std::nullopt;
}

std::string pageLineText(std::string_view text) {
    // The web view's words for such a redirect; the address ends them.
    constexpr std::string_view kUnusable = platform::web::WebView::kUnusableRedirect;
    const auto at = text.find(kUnusable);
    if (at == std::string_view::npos) return TerminalText::inLine(text);
    const auto address = at + kUnusable.size();
    return TerminalText::inLine(text.substr(0, address)) +
           TerminalText::address(text.substr(address));
}

std::string errorText(const Error& error) {
    // The message may be the service's: its lines are not the host's.
    std::string text = descriptionText(error);
    // After the message, what the kit's table of codes says the code means and what to do.
    if (const auto code = kitCode(error)) {
        const auto& table = corvend::model::ErrorCode::descriptions;
        const auto row =
            std::ranges::find(table, *code, &corvend::model::ErrorCode::Description::code);
        if (row != std::end(table)) {
            text += "\n" + std::string(row->meaning) + " " + std::string(row->action);
        }
    }
    const auto walletError = error.as<Wallet::WalletError>();
    if (walletError && walletError->kind() == Wallet::WalletError::Kind::tokenExpired) {
        // The service refuses a missing access token as it does an expired one.
        text += "\nnot signed in: run authenticate";
    }
    return text;
}

std::string moneyText(std::int64_t amount, std::string_view currency) {
    // The formatter places any three letters at two decimals: only a code the host knows has
    // digits to place a point by.
    const std::string text =
        knownCurrency(currency) ? Wallet::MoneyFormatter().format(amount, currency) : "";
    if (!text.empty()) return text;
    // Without the currency's digits no point can be placed: the number is said as what it is,
    // and the code, the service's word, quoted so that a padded or empty one shows.
    return std::to_string(amount) + " minor units of \"" + TerminalText::inLine(currency) + "\"";
}

std::string expiryText(const Wallet::CardExpiryDate& expiry) {
    return (expiry.month < 10 ? "0" : "") + std::to_string(expiry.month) + "/" +
           std::to_string(expiry.year);
}

std::string joined(const std::vector<std::string>& words, std::string_view separator) {
    std::string text;
    for (const auto& word : words) {
        if (!text.empty()) text += separator;
        text += word;
    }
    return text;
}

bool sameWord(std::string_view a, std::string_view b) {
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    return std::ranges::equal(a, b, {}, lower, lower);
}

bool isUTF8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80                   ? 1
                                   : lead >= 0xC2 && lead < 0xE0 ? 2
                                   : lead >= 0xE0 && lead < 0xF0 ? 3
                                   : lead >= 0xF0 && lead < 0xF5 ? 4
                                                                 : 0;
        if (length == 0 || at + length > text.size()) return false;
        std::uint32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            if ((next & 0xC0) != 0x80) return false;
            point = (point << 6) | (next & 0x3F);
        }
        const std::uint32_t least = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0;
        if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return false;
        at += length;
    }
    return true;
}

std::string counted(std::size_t count, std::string_view noun) {
    return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
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
