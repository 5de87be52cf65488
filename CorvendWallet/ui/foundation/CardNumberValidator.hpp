#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "CorvendWallet/ui/foundation/CardType.hpp"

namespace corvend {

enum class CardNumberValidationResult : std::uint8_t {
    invalid,
    tooShort,
    tooLong,
    notSupported,
    valid
};

// Checks a card number (its decimal digits only) against the brands a deposit accepts, in this
// order: a number of no known brand is `invalid`; a brand outside `supportedTypes` is
// `notSupported`, whatever its length; every brand needs exactly 16 characters; last the Luhn
// check. Immutable; usable from any thread.
class CardNumberValidator {
  public:
    using Value = std::string_view;
    using Result = CardNumberValidationResult;

    explicit CardNumberValidator(std::vector<CardType> supportedTypes);

    CardNumberValidationResult validate(const std::optional<std::string_view>& number) const;

    // The Luhn checksum over the ASCII digits of `text` (other characters are skipped but count
    // towards the required 9 characters); false when there is no digit.
    static bool passesLuhnCheck(std::string_view text);

    const std::vector<CardType>& supportedTypes() const { return supportedTypes_; }

  private:
    std::vector<CardType> supportedTypes_;
};

}  // namespace corvend
