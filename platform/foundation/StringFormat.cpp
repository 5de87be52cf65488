#include "platform/foundation/StringFormat.hpp"

#include <unicode/dcfmtsym.h>
#include <unicode/locid.h>

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace corvend::platform {

namespace {

constexpr int kMaxPrecision = 64;

std::string decimalSeparator(const Locale& locale) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::DecimalFormatSymbols symbols(icu::Locale(locale.identifier().c_str()), status);
    if (U_FAILURE(status)) return ".";
    std::string separator;
    symbols.getConstSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol)
        .toUTF8String(separator);
    return separator;
}

// The locale's separator is looked up only when a number with a fraction is written.
class NumberWriter {
  public:
    explicit NumberWriter(const Locale& locale) : locale_(locale) {}

    std::string integer(std::int64_t value) const { return std::to_string(value); }

    // Fixed notation with `precision` digits, or the shortest form when absent.
    std::string real(double value, std::optional<int> precision) {
        std::array<char, 512> buffer{};
        const auto [end, error] = precision ? std::to_chars(buffer.begin(), buffer.end(), value,
                                                            std::chars_format::fixed, *precision)
                                            : std::to_chars(buffer.begin(), buffer.end(), value);
        std::string text = error == std::errc{} ? std::string(buffer.begin(), end) : "";
        if (const auto point = text.find('.'); point != std::string::npos) {
            if (!separator_) separator_ = decimalSeparator(locale_);
            text.replace(point, 1, *separator_);
        }
        return text;
    }

    std::string text(const FormatArgument& argument) {
        if (const auto* string = std::get_if<std::string>(&argument)) return *string;
        if (const auto* number = std::get_if<std::int64_t>(&argument)) return integer(*number);
        return real(std::get<double>(argument), std::nullopt);
    }

  private:
    const Locale& locale_;
    std::optional<std::string> separator_;
};

// Reads decimal digits at `at`; nothing when there are none or the number passes `limit`.
std::optional<int> readNumber(std::string_view format, std::size_t& at, int limit) {
    const auto start = at;
    long value = 0;
    while (at < format.size() && format[at] >= '0' && format[at] <= '9') {
        value = value * 10 + (format[at++] - '0');
        if (value > limit) return std::nullopt;
    }
    if (at == start) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

std::string formatString(std::string_view format, std::span<const FormatArgument> arguments,
                         const Locale& locale) {
    NumberWriter numbers(locale);
    std::string out;
    out.reserve(format.size());
    std::size_t next = 0;
    std::size_t at = 0;
    while (at < format.size()) {
        const auto percent = format.find('%', at);
        out.append(format.substr(at, percent - at));
        if (percent == std::string_view::npos) break;
        at = percent + 1;
        if (at < format.size() && format[at] == '%') {
            out.push_back('%');
            ++at;
            continue;
        }

        // [position$][.precision][length]conversion
        std::optional<std::size_t> position;
        auto cursor = at;
        if (const auto number = readNumber(format, cursor, std::numeric_limits<int>::max() / 10);
            number && cursor < format.size() && format[cursor] == '$' && *number > 0) {
            position = static_cast<std::size_t>(*number - 1);
            at = cursor + 1;
        }
        std::optional<int> precision;
        if (at < format.size() && format[at] == '.') {
            cursor = at + 1;
            precision = readNumber(format, cursor, kMaxPrecision);
            if (precision) at = cursor;
        }
        while (at < format.size() &&
               std::string_view("hlqz").find(format[at]) != std::string_view::npos) {
            ++at;
        }
        const char conversion = at < format.size() ? format[at] : '\0';
        if (std::string_view("@dif").find(conversion) == std::string_view::npos) {
            out.push_back('%');  // not a conversion of ours: the rest is written as it stands
            at = percent + 1;
            continue;
        }
        ++at;
        const auto index = position.value_or(next);
        if (!position) ++next;
        if (index >= arguments.size()) {
            out.append(format.substr(percent, at - percent));
            continue;
        }
        const auto& argument = arguments[index];
        if (conversion == 'f' && !std::holds_alternative<std::string>(argument)) {
            const double value = std::holds_alternative<double>(argument)
                                     ? std::get<double>(argument)
                                     : static_cast<double>(std::get<std::int64_t>(argument));
            out.append(numbers.real(value, precision.value_or(6)));
        } else {
            out.append(numbers.text(argument));
        }
    }
    return out;
}

}  // namespace corvend::platform
