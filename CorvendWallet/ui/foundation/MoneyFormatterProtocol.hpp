#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvend {

// Turns an amount in minor units and its ISO 4217 code into localised currency text.
class MoneyFormatterProtocol {
  public:
    virtual ~MoneyFormatterProtocol() = default;

    // "" when no text can be made.
    virtual std::string format(std::int64_t amount, std::string_view currencyCode) const = 0;
};

}  // namespace corvend
