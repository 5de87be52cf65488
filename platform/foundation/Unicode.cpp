#include "platform/foundation/Unicode.hpp"

#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/utext.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>

namespace corvend::platform::unicode {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The scalar at byte `i`, moving `i` past it; a bad sequence reads as U+FFFD.
char32_t next(std::string_view text, std::size_t& i) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    auto offset = static_cast<std::int32_t>(i);
    UChar32 scalar = 0;
    U8_NEXT(bytes, offset, length, scalar);
    i = static_cast<std::size_t>(offset);
    return scalar < 0 ? kReplacement : static_cast<char32_t>(scalar);
}

bool isASCII(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The character iterator is costly to make and not shareable; each thread keeps its own.
icu::BreakIterator* characterIterator() {
    thread_local std::unique_ptr<icu::BreakIterator> iterator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> made(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        return U_SUCCESS(status) ? std::move(made) : nullptr;
    }();
    return iterator.get();
}

}  // namespace

bool isDecimalDigit(char32_t scalar) {
    return u_charType(static_cast<UChar32>(scalar)) == U_DECIMAL_DIGIT_NUMBER;
}

bool isWhitespace(char32_t scalar) {
    return u_isUWhiteSpace(static_cast<UChar32>(scalar));
}

std::u32string scalars(std::string_view text) {
    std::u32string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) result.push_back(next(text, i));
    return result;
}

void appendUTF8(std::string& text, char32_t scalar) {
    if (scalar > 0x10FFFF || (scalar >= 0xD800 && scalar <= 0xDFFF)) scalar = kReplacement;
    std::uint8_t buffer[U8_MAX_LENGTH];
    std::int32_t length = 0;
    U8_APPEND_UNSAFE(buffer, length, static_cast<UChar32>(scalar));
    text.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(length));
}

bool isWellFormedUTF8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int64_t>(text.size());
    for (std::int64_t offset = 0; offset < length;) {
        UChar32 scalar = 0;
        U8_NEXT(bytes, offset, length, scalar);
        if (scalar < 0) return false;
    }
    return true;
}

std::string utf8(std::u32string_view scalars) {
    std::string text;
    text.reserve(scalars.size());
    for (char32_t scalar : scalars) appendUTF8(text, scalar);
    return text;
}

bool allDecimalDigits(std::string_view text) {
    if (text.empty()) return false;
    for (std::size_t i = 0; i < text.size();) {
        if (!isDecimalDigit(next(text, i))) return false;
    }
    return true;
}

std::vector<std::size_t> characterBoundaries(std::string_view text) {
    std::vector<std::size_t> boundaries;
    boundaries.reserve(text.size() + 1);
    // In ASCII only CR LF joins into one character.
    if (isASCII(text)) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (i == 0 || text[i - 1] != '\r' || text[i] != '\n') boundaries.push_back(i);
        }
        boundaries.push_back(text.size());
        return boundaries;
    }
    UErrorCode status = U_ZERO_ERROR;
    icu::BreakIterator* iterator = characterIterator();
    UText* utext =
        utext_openUTF8(nullptr, text.data(), static_cast<std::int64_t>(text.size()), &status);
    if (iterator != nullptr && U_SUCCESS(status)) iterator->setText(utext, status);
    if (iterator == nullptr || U_FAILURE(status)) {
        // Without the iterator every scalar stands alone.
        for (std::size_t i = 0; i < text.size(); next(text, i)) boundaries.push_back(i);
    } else {
        for (std::int32_t at = iterator->first(); at != icu::BreakIterator::DONE;
             at = iterator->next()) {
            if (static_cast<std::size_t>(at) < text.size()) {
                boundaries.push_back(static_cast<std::size_t>(at));
            }
        }
        // The iterator must not keep pointing at `text` after it is gone.
        iterator->setText(icu::UnicodeString());
    }
    utext_close(utext);
    boundaries.push_back(text.size());
    return boundaries;
}

std::size_t characterCount(std::string_view text) {
    return characterBoundaries(text).size() - 1;
}

std::size_t utf16Length(std::string_view text) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size();) length += next(text, i) > 0xFFFF ? 2 : 1;
    return length;
}

std::optional<std::string> replacingUTF16Range(std::string_view text, UTF16Range range,
                                               std::string_view replacement) {
    if (range.length > std::numeric_limits<std::size_t>::max() - range.location) {
        return std::nullopt;
    }
    const std::size_t end = range.location + range.length;
    std::optional<std::size_t> startByte;
    std::optional<std::size_t> endByte;
    std::size_t units = 0;
    std::size_t byte = 0;
    for (std::size_t boundary : characterBoundaries(text)) {
        while (byte < boundary) units += next(text, byte) > 0xFFFF ? 2 : 1;
        if (units == range.location) startByte = boundary;
        if (units == end) endByte = boundary;
        if (units >= end) break;
    }
    if (!startByte || !endByte) return std::nullopt;
    std::string result;
    result.reserve(text.size() - (*endByte - *startByte) + replacement.size());
    result.append(text.substr(0, *startByte));
    result.append(replacement);
    result.append(text.substr(*endByte));
    return result;
}

}  // namespace corvend::platform::unicode
