#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Decimal.hpp"
#include "platform/foundation/Locale.hpp"

namespace corvend::platform {

// A currency formatter over ICU: the locale's currency pattern (symbol, separators, negative
// form) with the currency's own number of fraction digits.
//
//   NumberFormatter formatter = NumberFormatter::currency("JPY", Locale("en_US"));
//   formatter.maximumFractionDigits();               // 0
//   formatter.string(Decimal(1234));                 // "¥1,234"
class NumberFormatter {
  public:
    // The code in any letter case ("jpy" is JPY).
    static NumberFormatter currency(std::string_view currencyCode, Locale locale);

    // The currency's minor-unit digits (2 for a code ICU does not know).
    int maximumFractionDigits() const { return fractionDigits_; }

    // The exact value as currency text, rounded half-even to maximumFractionDigits(); nullopt
    // when the code is not three ASCII letters or ICU gives no text.
    std::optional<std::string> string(const Decimal& number) const;

  private:
    NumberFormatter(std::u16string currencyCode, Locale locale, int fractionDigits);

    std::u16string currencyCode_;
    Locale locale_;
    int fractionDigits_;
};

}  // namespace corvend::platform
