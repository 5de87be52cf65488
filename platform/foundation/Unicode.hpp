#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvend::platform {

// A range of a text in UTF-16 code units, as text-field delegates report edits.
struct UTF16Range {
    std::size_t location = 0;
    std::size_t length = 0;

    friend bool operator==(const UTF16Range&, const UTF16Range&) = default;
};

// Unicode character handling of UTF-8 text. A "character" is a user-perceived character (an
// extended grapheme cluster); a byte sequence that is not UTF-8 reads as U+FFFD per bad byte.
namespace unicode {

// General category Nd, any script.
bool isDecimalDigit(char32_t scalar);
// Unicode White_Space: blanks, tabs, line breaks and the other spaces.
bool isWhitespace(char32_t scalar);

std::u32string scalars(std::string_view text);
// True when every byte belongs to a well-formed UTF-8 sequence (no overlong forms, surrogates
// or scalars past U+10FFFF). Reads no process-wide state, so it is safe while exit runs.
bool isWellFormedUTF8(std::string_view text);
std::string utf8(std::u32string_view scalars);
void appendUTF8(std::string& text, char32_t scalar);

// True when the text is not empty and every scalar is a decimal digit.
bool allDecimalDigits(std::string_view text);

// The byte offsets where characters start, followed by text.size(); {0} for "".
std::vector<std::size_t> characterBoundaries(std::string_view text);
std::size_t characterCount(std::string_view text);

std::size_t utf16Length(std::string_view text);

// `text` with `range` replaced, or nullopt when the range ends past the text or cuts a
// character, so an edit can never split a surrogate pair or a character's marks.
std::optional<std::string> replacingUTF16Range(std::string_view text, UTF16Range range,
                                               std::string_view replacement);

}  // namespace unicode

}  // namespace corvend::platform
