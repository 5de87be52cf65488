#pragma once

#include <optional>
#include <string_view>

#include "CorvendWallet/ui/foundation/CardType.hpp"

namespace corvend {

// True for exactly three characters that are all decimal digits of any script (Unicode Nd).
bool isValidCVV(const std::optional<std::string_view>& code);

// The security-code check of one brand. Every brand asks three digits; the brand is kept for
// the screens that made it.
class CvvValidator {
  public:
    using Value = std::string_view;
    using Result = bool;

    explicit CvvValidator(CardType cardType) : cardType_(cardType) {}

    bool validate(const std::optional<std::string_view>& code) const { return isValidCVV(code); }

    CardType cardType() const { return cardType_; }

  private:
    CardType cardType_;
};

}  // namespace corvend
