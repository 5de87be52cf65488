#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "platform/foundation/Locale.hpp"

namespace corvend::platform {

// One value for a placeholder of formatString().
using FormatArgument = std::variant<std::string, std::int64_t, double>;

// printf-style formatting of the conversions that texts use:
//   %@     the argument as text (a number as with %d or as its shortest decimal form)
//   %d %i  an integer (also with the length modifiers h, l, ll, q, z)
//   %f     a number with `.precision` digits (6 when absent; at most 64), with the decimal
//          separator of `locale`
//   %%     one percent sign
// Each may name its argument by position ("%2$@"); the others take the next argument in turn.
// Nothing here fails: a placeholder without its argument, and any other sequence starting with
// "%", are written as they stand; an argument of another type is written as with %@.
std::string formatString(std::string_view format, std::span<const FormatArgument> arguments,
                         const Locale& locale);

}  // namespace corvend::platform
