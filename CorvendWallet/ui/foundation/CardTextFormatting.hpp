#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "CorvendWallet/ui/foundation/CardType.hpp"
#include "platform/foundation/Unicode.hpp"

namespace corvend {

// The text operations of the card-entry fields. Pure functions of their input; ranges are in
// UTF-16 units, as text-field delegates report edits, and an edit whose range ends past the
// text or cuts a character is refused.

// Groups the decimal digits of `text` (blanks ignored) in fours separated by one blank, the
// 17th and later digits ungrouped; text holding anything but digits and blanks comes back as it
// was. cardNumberMask(cardNumberMask(t)) == cardNumberMask(t).
std::string cardNumberMask(std::string_view text);

// Edits the expiry field's `text` ("MM/YY", at most 5 characters): digits only, no edit at
// position 5 or later, and the "/" inserted after the second character when digits typed at
// position 1 or 2 leave the text without one. True when the field should apply the edit itself;
// false when it was refused (`text` unchanged) or already made here (`text` replaced).
bool editExpiryDateText(std::string& text, platform::UTF16Range range,
                        std::string_view replacement);

// Whether the security-code field with `text` ("" when empty) should apply the edit: digits
// only (deletions pass), at most `maxLength` characters after it.
bool acceptsCvvInput(std::string_view text, platform::UTF16Range range,
                     std::string_view replacement, std::size_t maxLength);

// The display names of the brands that have one ("Mastercard", "Visa"), in order, joined with
// ", "; nullopt when none has.
std::optional<std::string> brandNames(std::span<const CardType> types);

}  // namespace corvend
