#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvend::cli {

// Text as a terminal shows it without obeying it. Whatever a terminal would act on is written
// out as an escape a person reads: "\x1b" for a C0 control character (a newline aside), DEL or
// a byte that is no part of well-formed UTF-8, and "\u009b" for a C1 control character
// (U+0080 to U+009F) written in UTF-8. Printable UTF-8, a backslash among it, is kept as it is.
// Each escape is ASCII, one column per character.
//
// Fed a byte at a time, so text written in pieces reads as one: the bytes of a character wait
// until it is whole.
class TerminalText {
  public:
    // Appends to `shown` what `byte` shows as after the bytes before it.
    void put(char byte, std::string& shown);
    // The text ends here: the bytes of a character left unfinished are appended, escaped.
    void end(std::string& shown);

    // How many columns a terminal gives `shown` (text as put shows it): two for a wide
    // character (CJK, most emoji), none for a combining mark or a zero-width one, one for any
    // other character (a mark written before a number, U+0600, among them) and for each byte of
    // no character. A character counts the wider of what ICU's properties and the C library's
    // wcwidth in UTF-8 give it (U+4DC0 is 2 by the latter), as terminals follow either. Linear
    // in the text's size; the process's locale is left as it is.
    static std::size_t columns(std::string_view shown);

    // Text from elsewhere (the service, a page, a person) as it goes into a line of the host's:
    // a line break in it shows as its escape, "\x0a", so its words never start a line of their
    // own. Every other control is escaped where put shows the line.
    static std::string inLine(std::string_view text);
    // An address from elsewhere (one a server gave that could not be used) as it goes into a
    // line of the host's: as inLine, and its blanks escaped too ("\x20"), so that it is one
    // word, cut only as a long word is and never at a blank of its own.
    static std::string address(std::string_view text);

  private:
    // Whether `byte` may follow the held bytes in one character.
    bool continues(unsigned char byte) const;

    std::string held_;          // the bytes of the character under way
    std::size_t expected_ = 0;  // how many bytes it has in all
};

}  // namespace corvend::cli
