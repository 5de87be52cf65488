#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "CorvendWallet/ui/foundation/MoneyFormatterProtocol.hpp"
#include "platform/foundation/Locale.hpp"

namespace corvend {

// Formats minor units as currency text: the value is the exact decimal amount ÷ 10^digits, the
// currency's own minor-unit digits (0 for JPY, 3 for KWD, whatever the code's letter case),
// never through a double, so every 64-bit amount shows digit for digit.
//
//   MoneyFormatter(platform::Locale("de_DE")).format(123456, "EUR")   // "1.234,56 €"
//
// A value without shared state: calls from several threads do not interfere.
class MoneyFormatter : public MoneyFormatterProtocol {
  public:
    // Follows the user's locale: reads platform::Locale::current() at each call.
    MoneyFormatter() = default;
    explicit MoneyFormatter(platform::Locale locale) : locale_(std::move(locale)) {}

    std::string format(std::int64_t amount, std::string_view currencyCode) const override;

    // The sum of `amounts` (a fee total, amount plus fees), or nullopt when it leaves the 64-bit
    // range: a total that cannot be held is shown as "", never as a wrapped number.
    static std::optional<std::int64_t> checkedSum(std::span<const std::int64_t> amounts);

  private:
    std::optional<platform::Locale> locale_;
};

}  // namespace corvend
