#include "examples/wallet-cli/TerminalText.hpp"

#include <locale.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <memory>
#include <string_view>
#include <type_traits>

namespace corvend::cli {

namespace {

// `form` and `value` in two hexadecimal digits: \x1b, \u009b.
void escaped(std::string_view form, unsigned char value, std::string& shown) {
    constexpr std::string_view kDigits = "0123456789abcdef";
    shown += form;
    shown += kDigits[value >> 4];
    shown += kDigits[value & 0xF];
}

void escapeByte(unsigned char byte, std::string& shown) {
    escaped("\\x", byte, shown);
}

// `text` with each of `characters` in it shown as its escape.
std::string withEscaped(std::string_view text, std::string_view characters) {
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        if (characters.find(c) != std::string_view::npos) {
            escapeByte(static_cast<unsigned char>(c), shown);
        } else {
            shown += c;
        }
    }
    return shown;
}

// The length of the UTF-8 character that `lead` starts; 0 for no lead byte.
std::size_t characterLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// The C library's character classes in UTF-8, whatever the process's locale; null where the
// system has none. Made once, for the process's life.
locale_t utf8Locale() {
    struct Free {
        void operator()(std::remove_pointer_t<locale_t>* locale) const { freelocale(locale); }
    };
    static const std::unique_ptr<std::remove_pointer_t<locale_t>, Free> locale(
        newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{}));
    return locale.get();
}

// The columns ICU's properties give `c`: two for a wide character (CJK, most emoji), none for a
// combining mark or a zero-width one, one for any other.
std::size_t icuColumns(UChar32 c) {
    const auto category = static_cast<UCharCategory>(u_charType(c));
    // Hangul vowels and final consonants join the syllable before them.
    const auto jamo =
        static_cast<UHangulSyllableType>(u_getIntPropertyValue(c, UCHAR_HANGUL_SYLLABLE_TYPE));
    // A format character takes no column, except the soft hyphen and the marks written
    // before the numbers they span (U+0600): terminals draw those.
    const bool drawnFormat =
        c == 0xAD || u_hasBinaryProperty(c, UCHAR_PREPENDED_CONCATENATION_MARK);
    if (category == U_NON_SPACING_MARK || category == U_ENCLOSING_MARK ||
        (category == U_FORMAT_CHAR && !drawnFormat) || jamo == U_HST_VOWEL_JAMO ||
        jamo == U_HST_TRAILING_JAMO) {
        return 0;
    }
    const auto width =
        static_cast<UEastAsianWidth>(u_getIntPropertyValue(c, UCHAR_EAST_ASIAN_WIDTH));
    const bool wide = width == U_EA_WIDE || width == U_EA_FULLWIDTH ||
                      u_hasBinaryProperty(c, UCHAR_EMOJI_PRESENTATION);
    return wide ? 2 : 1;
}

// The calling thread reads characters in UTF-8 while this lives, from the first one asked:
// the process's own locale is left as it is.
class InUTF8 {
  public:
    InUTF8() = default;
    ~InUTF8() {
        if (switched_) uselocale(before_);
    }
    InUTF8(const InUTF8&) = delete;
    InUTF8& operator=(const InUTF8&) = delete;

    // The columns the C library gives `c`; 0 for none it draws, or with no UTF-8 at hand.
    std::size_t width(UChar32 c) {
        if (!switched_) {
            const locale_t utf8 = utf8Locale();
            if (utf8 == locale_t{}) return 0;
            before_ = uselocale(utf8);
            switched_ = before_ != locale_t{};
            if (!switched_) return 0;
        }
        const int columns = wcwidth(static_cast<wchar_t>(c));
        return columns > 0 ? static_cast<std::size_t>(columns) : 0;
    }

  private:
    bool switched_ = false;
    locale_t before_{};
};

}  // namespace

bool TerminalText::continues(unsigned char byte) const {
    if (held_.size() == 1) {
        // The second byte also rules out overlong forms, surrogates and code points past
        // U+10FFFF.
        switch (static_cast<unsigned char>(held_.front())) {
            case 0xE0:
                return byte >= 0xA0 && byte <= 0xBF;
            case 0xED:
                return byte >= 0x80 && byte <= 0x9F;
            case 0xF0:
                return byte >= 0x90 && byte <= 0xBF;
            case 0xF4:
                return byte >= 0x80 && byte <= 0x8F;
            default:
                break;
        }
    }
    return byte >= 0x80 && byte <= 0xBF;
}

void TerminalText::put(char c, std::string& shown) {
    const auto byte = static_cast<unsigned char>(c);
    if (!held_.empty()) {
        if (continues(byte)) {
            held_ += c;
            if (held_.size() < expected_) return;
            const auto lead = static_cast<unsigned char>(held_.front());
            if (lead == 0xC2 && static_cast<unsigned char>(held_.back()) <= 0x9F) {
                // A C1 control: U+0080 to U+009F.
                escaped("\\u00", static_cast<unsigned char>(held_.back()), shown);
            } else {
                shown += held_;
            }
            held_.clear();
            return;
        }
        // Cut short: what was held is no character; this byte starts afresh.
        end(shown);
    }
    const std::size_t length = characterLength(byte);
    if (length == 1) {
        if ((byte < 0x20 && c != '\n') || byte == 0x7F) return escapeByte(byte, shown);
        shown += c;
        return;
    }
    if (length == 0) return escapeByte(byte, shown);
    held_ = c;
    expected_ = length;
}

void TerminalText::end(std::string& shown) {
    for (const char c : held_) escapeByte(static_cast<unsigned char>(c), shown);
    held_.clear();
}

std::size_t TerminalText::columns(std::string_view shown) {
    std::size_t columns = 0;
    InUTF8 library;
    const auto length = static_cast<std::int32_t>(shown.size());
    for (std::int32_t at = 0; at < length;) {
        UChar32 c = 0;
        U8_NEXT(shown.data(), at, length, c);
        // Shown text holds no control: ASCII takes a column a character.
        if (c < 0 || c < 0x80) {
            ++columns;
            continue;
        }
        // The wider of ICU's count and the C library's, which some terminals follow.
        columns += std::max(icuColumns(c), library.width(c));
    }
    return columns;
}
std::string TerminalText::inLine(std::string_view text) {
    return withEscaped(text, "\n");
}

std::string TerminalText::address(std::string_view text) {
    return withEscaped(text, "\n ");
}

}  // namespace corvend::cli
