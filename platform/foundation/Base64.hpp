#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvend::platform {

// Base64 as RFC 4648 defines it in section 4: the standard alphabet, padded with "=" to a
// multiple of four characters. Locale-free; any thread.
namespace base64 {

std::string encode(std::string_view bytes);

// The bytes `text` stands for, or nothing when it is not canonical Base64: a length that is
// not a multiple of four, a character outside the alphabet (blanks and line breaks too),
// padding anywhere but at the end, or padded-out bits that are not zero.
std::optional<std::string> decode(std::string_view text);

}  // namespace base64
}  // namespace corvend::platform
