#pragma once

#include <span>
#include <string>

#include "CorvendWallet/ui/foundation/CardType.hpp"
#include "platform/ui/AttributedString.hpp"
#include "platform/ui/TextField.hpp"

namespace corvend {

// The card text operations (CardTextFormatting) applied to the toolkit's text fields, as their
// should-change answers. Main thread.

// Edits the expiry `field`: when the slash is inserted here the field's text is replaced and
// its editing-changed actions run, as for typed text. Returns whether the field should apply
// the edit itself.
bool applyExpiryDateInput(platform::ui::TextField& field, platform::ui::TextRange range,
                          const std::string& replacement);

// Whether the security-code `field` takes the edit: digits only, at most `maxLength`.
bool acceptsCvvInput(const platform::ui::TextField& field, platform::ui::TextRange range,
                     const std::string& replacement, int maxLength);

// The security-code hint: the kit's first hint text and, when one of `types` has a display name,
// the names as a heading and the brand's hint, in the current theme's styles.
platform::ui::AttributedString cvvHintText(std::span<const CardType> types);

}  // namespace corvend
