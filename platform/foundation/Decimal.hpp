#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvend::platform {

// An exact decimal number: a sign, a coefficient of at most 38 decimal digits and a base-10
// exponent, value = (-1)^sign * coefficient * 10^exponent.
//
// A Decimal keeps the digits it was made from: "1.0850" is held as 10850e-4 and written back
// as "1.0850", so amounts read from a reply are passed on digit for digit. Equality and
// ordering are by value (1.5 == 1.50, 0 == -0); toString() tells such values apart.
// Nothing goes through binary floating point. There is no arithmetic.
class Decimal {
  public:
    // Most significant digits a Decimal holds.
    static constexpr int kMaxDigits = 38;
    // Bound on the exponent, so that comparisons and text forms stay small.
    static constexpr std::int32_t kMaxExponent = 999'999;
    static constexpr std::int32_t kMinExponent = -999'999;

    // Zero.
    Decimal() = default;
    // `coefficient` * 10^`exponent`; `exponent` is clamped to [kMinExponent, kMaxExponent].
    explicit Decimal(std::int64_t coefficient, std::int32_t exponent = 0);

    // Reads a number in JSON's grammar: an optional "-", an integer part without superfluous
    // leading zeros, an optional fraction and an optional exponent ("e"/"E", optional sign).
    // No blanks, no "+" in front, no "." without digits around it. Returns nullopt for any
    // other text, for more than kMaxDigits significant digits (counted from the first
    // non-zero digit to the last digit written, trailing zeros included) and for an exponent
    // beyond the bounds.
    static std::optional<Decimal> fromString(std::string_view text);

    // The number in JSON's grammar with the digits it was made from: plain notation
    // ("1.0850", "-0.5", "1200", "0.000001") when the exponent is at most 0 and no more than
    // six zeros follow the point before the first digit, otherwise scientific ("1e-10",
    // "1.5e4"). fromString(toString()) gives back the same digits and exponent.
    std::string toString() const;

    // The nearest double (correctly rounded); ±inf beyond double's range.
    double toDouble() const;

    bool isZero() const { return coefficient_ == 0; }
    // True for values below zero and for a negative zero read as "-0".
    bool isNegative() const { return negative_; }
    std::int32_t exponent() const { return exponent_; }
    // Number of digits in the coefficient (1 for zero).
    int digitCount() const;

    friend bool operator==(const Decimal& a, const Decimal& b);
    friend std::weak_ordering operator<=>(const Decimal& a, const Decimal& b);

  private:
    __extension__ using Coefficient = unsigned __int128;

    Decimal(bool negative, Coefficient coefficient, std::int32_t exponent)
        : coefficient_(coefficient), exponent_(exponent), negative_(negative) {}

    std::string coefficientDigits() const;

    Coefficient coefficient_ = 0;
    std::int32_t exponent_ = 0;
    bool negative_ = false;
};

}  // namespace corvend::platform
