#include "platform/foundation/Decimal.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace corvend::platform {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Saturates well below int64's range so that the exponent arithmetic cannot overflow; any
// value this large is out of bounds anyway.
constexpr std::int64_t kExponentSaturation = 1'000'000'000;

}  // namespace

// Negating in 128-bit unsigned arithmetic keeps INT64_MIN's magnitude exact.
Decimal::Decimal(std::int64_t coefficient, std::int32_t exponent)
    : coefficient_(coefficient < 0 ? Coefficient(0) - Coefficient(coefficient)
                                   : Coefficient(coefficient)),
      exponent_(std::clamp(exponent, kMinExponent, kMaxExponent)),
      negative_(coefficient < 0) {}

std::optional<Decimal> Decimal::fromString(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    bool negative = false;
    if (i < n && text[i] == '-') {
        negative = true;
        ++i;
    }
    if (i >= n || !isDigit(text[i])) return std::nullopt;

    Coefficient coefficient = 0;
    int significant = 0;
    std::int64_t fractionDigits = 0;
    auto take = [&](char c) {
        const int digit = c - '0';
        // Leading zeros carry no value and are not counted; every later digit is kept.
        if (significant == 0 && digit == 0) return true;
        if (++significant > kMaxDigits) return false;
        coefficient = coefficient * 10 + Coefficient(digit);
        return true;
    };

    if (text[i] == '0') {
        ++i;
    } else {
        while (i < n && isDigit(text[i])) {
            if (!take(text[i++])) return std::nullopt;
        }
    }
    if (i < n && text[i] == '.') {
        ++i;
        if (i >= n || !isDigit(text[i])) return std::nullopt;
        while (i < n && isDigit(text[i])) {
            if (!take(text[i++])) return std::nullopt;
            ++fractionDigits;
        }
    }
    std::int64_t exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
        if (i >= n || !isDigit(text[i])) return std::nullopt;
        while (i < n && isDigit(text[i])) {
            exponent = std::min(exponent * 10 + (text[i++] - '0'), kExponentSaturation);
        }
        if (negativeExponent) exponent = -exponent;
    }
    if (i != n) return std::nullopt;

    exponent -= fractionDigits;
    if (exponent < kMinExponent || exponent > kMaxExponent) return std::nullopt;
    return Decimal(negative, coefficient, static_cast<std::int32_t>(exponent));
}

std::string Decimal::coefficientDigits() const {
    char buffer[kMaxDigits + 2];
    char* end = buffer + sizeof buffer;
    char* p = end;
    Coefficient c = coefficient_;
    do {
        *--p = static_cast<char>('0' + static_cast<int>(c % 10));
        c /= 10;
    } while (c != 0);
    return std::string(p, end);
}

int Decimal::digitCount() const {
    int count = 1;
    for (Coefficient c = coefficient_ / 10; c != 0; c /= 10) ++count;
    return count;
}

std::string Decimal::toString() const {
    const std::string digits = coefficientDigits();
    const auto count = static_cast<std::int64_t>(digits.size());
    std::string text = negative_ ? "-" : "";
    if (exponent_ == 0) return text + digits;
    if (exponent_ < 0) {
        const std::int64_t point = count + exponent_;  // digits before the point
        if (point > 0) {
            text.append(digits, 0, static_cast<std::size_t>(point));
            text += '.';
            text.append(digits, static_cast<std::size_t>(point));
            return text;
        }
        if (point >= -6) {
            text += "0.";
            text.append(static_cast<std::size_t>(-point), '0');
            return text + digits;
        }
    }
    text += digits[0];
    if (count > 1) {
        text += '.';
        text.append(digits, 1);
    }
    text += 'e';
    return text + std::to_string(exponent_ + count - 1);
}

double Decimal::toDouble() const {
    const std::string text = toString();
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Beyond double's range: the adjusted exponent tells overflow from underflow.
        const bool huge = exponent_ + digitCount() - 1 > 0;
        value = huge ? std::numeric_limits<double>::infinity() : 0.0;
        if (negative_) value = -value;
    }
    return value;
}

std::weak_ordering operator<=>(const Decimal& a, const Decimal& b) {
    const int signA = a.isZero() ? 0 : (a.negative_ ? -1 : 1);
    const int signB = b.isZero() ? 0 : (b.negative_ ? -1 : 1);
    if (signA != signB) return signA <=> signB;
    if (signA == 0) return std::weak_ordering::equivalent;

    struct Normalized {
        Decimal::Coefficient coefficient;
        std::int32_t exponent;
        int digits;
    };
    auto normalize = [](const Decimal& d) {
        Normalized n{d.coefficient_, d.exponent_, 0};
        while (n.coefficient % 10 == 0) {
            n.coefficient /= 10;
            ++n.exponent;
        }
        n.digits = 1;
        for (auto c = n.coefficient / 10; c != 0; c /= 10) ++n.digits;
        return n;
    };
    Normalized x = normalize(a);
    Normalized y = normalize(b);
    std::weak_ordering magnitude = std::weak_ordering::equivalent;
    const std::int32_t adjustedX = x.exponent + x.digits - 1;
    const std::int32_t adjustedY = y.exponent + y.digits - 1;
    if (adjustedX != adjustedY) {
        magnitude = adjustedX <=> adjustedY;
    } else {
        // Same leading position: scaling the one with the larger exponent keeps it within
        // kMaxDigits digits, so the product cannot overflow.
        while (x.exponent > y.exponent) {
            x.coefficient *= 10;
            --x.exponent;
        }
        while (y.exponent > x.exponent) {
            y.coefficient *= 10;
            --y.exponent;
        }
        magnitude = x.coefficient < y.coefficient   ? std::weak_ordering::less
                    : x.coefficient > y.coefficient ? std::weak_ordering::greater
                                                    : std::weak_ordering::equivalent;
    }
    return signA > 0 ? magnitude : 0 <=> magnitude;
}

bool operator==(const Decimal& a, const Decimal& b) {
    return (a <=> b) == 0;
}

}  // namespace corvend::platform
