#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/ui/TextField.hpp"

namespace corvend::cli {

// Whether a field holding `kept` reads as the `typed` text: the same letters and digits in the
// same order, blanks and dashes aside (grouping a card number is the field's own), and slashes
// aside unless the person typed one (the field may put in an expiry's "/" itself, but one typed
// says where the month ends).
bool readsAsTyped(std::string_view typed, std::string_view kept);

// Types `typed` into `field` a key at a time, as a person does. When the field does not then
// read as typed, returns a line with the field's rule as its answers to the keys showed it and
// what it kept ("CVV: takes digits only; kept 12"); nullopt when it does.
std::optional<std::string> typeWithNote(platform::ui::TextField& field, std::string_view typed);

}  // namespace corvend::cli
