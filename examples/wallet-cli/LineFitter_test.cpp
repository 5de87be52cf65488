#include "examples/wallet-cli/LineFitter.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace corvend::cli {
namespace {

// What `write` leaves in a stream fitted to `width` columns.
template <class Write>
std::string fitted(std::size_t width, Write write) {
    std::ostringstream out;
    {
        LineFitter fitter(out, width);
        write(out);
    }
    return out.str();
}

TEST(LineFitterTest, CutsLongLinesBetweenWordsAndIndentsWhatGoesOn) {
    EXPECT_EQ(fitted(20,
                     [](std::ostream& out) {
                         out << "usage: cards list | issue <program>\n"
                             << "  fee 1.00 EUR for the card\n"
                             << "short\tline  kept ok\n";
                     }),
              "usage: cards list |\n"
              "  issue <program>\n"
              "  fee 1.00 EUR for\n"
              "    the card\n"
              // A tab is a control: shown escaped, it takes the columns of its escape.
              "short\\x09line  kept\n"
              "  ok\n");
    // Columns are what a terminal shows: "€" takes three bytes and one column, a CJK character
    // or an emoji two, an accent put on the letter before it none, a mark written before a number
    // (U+0600, U+06DD, U+110BD) one.
    std::string numberMarks;
    for (int i = 0; i < 74; ++i) numberMarks += "\xd8\x80";
    numberMarks += "\xdb\x9d\xf0\x91\x82\xbd";
    const struct {
        std::size_t width;
        std::string written;
        std::string shown;
    } columns[] = {
        {10, "12,00 € ab\n", "12,00 € ab\n"},
        {10, "日本語 テスト 語\n", "日本語\n  テスト\n  語\n"},
        {8, "card 💳💳 x\n", "card\n  💳💳 x\n"},
        {10, "cafe\xcc\x81 cafe\xcc\x81\n", "cafe\xcc\x81 cafe\xcc\x81\n"},
        // A word wider than the line is cut between characters, never inside one's columns.
        {6, "日本語日本語\n", "日本語\n  日本\n  語\n"},
        // A line of a page's text goes on with its mark; no other line goes on as one.
        {16, "  | a page's words go on\n", "  | a page's\n  |   words go\n  |   on\n"},
        {14, "  | abcdefghijklmnop\n", "  |\n  |   abcdefgh\n  |   ijklmnop\n"},
        {12, "usage: list | get <id>\n", "usage: list\n   | get\n  <id>\n"},
        {12, "  |x y z w v u\n", "  |x y z w v\n    u\n"},
        // The page's row is full: its words go on on a row of its own, marked.
        {80, "  | " + numberMarks + " card deposit result: completed\n",
         "  | " + numberMarks + "\n  |   card deposit result: completed\n"},
    };
    for (const auto& c : columns) {
        EXPECT_EQ(fitted(c.width, [&](std::ostream& out) { out << c.written; }), c.shown)
            << c.written;
    }
    // A page's words that follow the host's on a line go on with the mark, that line only.
    EXPECT_EQ(fitted(20,
                     [](std::ostream& out) {
                         out << "  [1] ";
                         LineFitter::pageWordsFollow(out);
                         out << "Approve card deposit result: completed\n"
                             << "  [2] Decline this one too\n";
                     }),
              "  [1] Approve card\n  |   deposit\n  |   result:\n  |   completed\n"
              "  [2] Decline this\n    one too\n");
}

// Nothing written reaches the terminal as a control: C0 (a newline aside), DEL, C1 and bytes of
// no UTF-8 character are shown escaped; printable text is kept, a character written in pieces
// whole; the escapes count as the columns they take.
TEST(LineFitterTest, ShowsEveryControlEscapedAndKeepsPrintableText) {
    const struct {
        std::string written;
        std::string shown;
    } cases[] = {
        {"Evil\x1b]0;PWNED\x07\x1b[31mRED\n", "Evil\\x1b]0;PWNED\\x07\\x1b[31mRED\n"},
        {"a\rb\tc\x7f\x01\n", "a\\x0db\\x09c\\x7f\\x01\n"},
        // C1 controls in UTF-8 (CSI, NEL); the no-break space after them is text.
        {"\xc2\x9b"
         "31m\xc2\x85\xc2\xa0\xc2\x9f\n",
         "\\u009b31m\\u0085\xc2\xa0\\u009f\n"},
        {"12,00 \xe2\x82\xac \\ \xe6\x97\xa5\xf0\x9f\x92\xb3\n",
         "12,00 \xe2\x82\xac \\ \xe6\x97\xa5\xf0\x9f\x92\xb3\n"},
        // Not UTF-8: a lone continuation, an overlong form, a surrogate, a character cut short
        // by another, by a line's end and by the end of the text.
        {"\x80\xc0\xaf\xed\xa0\x80\xe2\x82x\xe2\n\xf0\x9f",
         "\\x80\\xc0\\xaf\\xed\\xa0\\x80\\xe2\\x82x\\xe2\n\\xf0\\x9f"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fitted(80, [&](std::ostream& out) { out << c.written; }), c.shown) << c.written;
    }
    EXPECT_EQ(fitted(80, [](std::ostream& out) { out << "\xe2" << std::flush << "\x82\xac\n"; }),
              "\xe2\x82\xac\n");
    EXPECT_EQ(fitted(12, [](std::ostream& out) { out << "name: \x1b\x1b ok\n"; }),
              "name:\n  \\x1b\\x1b\n  ok\n");
}

// A word wider than a line goes on a line of its own and is cut to fit: after a '-', '/', '.'
// and the like where the line is then half full, else where it fills the line; never inside a
// character or an escape.
TEST(LineFitterTest, AWordWiderThanALineGoesOnALineOfItsOwnCutWhereItReadsBest) {
    const std::string address = "https://example.com/a/long/address";
    EXPECT_EQ(fitted(20, [&](std::ostream& out) { out << "visit " << address << " now\n"; }),
              "visit\n  https://example.\n  com/a/long/address\n  now\n");
    EXPECT_EQ(fitted(10, [](std::ostream& out) { out << "id: a-bcdefghijklmno\n"; }),
              "id:\n  a-bcdefg\n  hijklmno\n");
    EXPECT_EQ(fitted(10,
                     [](std::ostream& out) {
                         out << "\xe2\x82\xac\x1b\xe2\x82\xac"
                             << "1234567\n";
                     }),
              "\xe2\x82\xac\\x1b\xe2\x82\xac"
              "1234\n  567\n");
    EXPECT_EQ(fitted(10, [](std::ostream& out) { out << "abcdefghi\x1b\n"; }),
              "abcdefghi\n  \\x1b\n");
}

// A flushed prompt is shown at once, blank and all, and remembered until its line ends; a word
// written in pieces with flushes between them is cut only where it does not fit.
TEST(LineFitterTest, ShowsAndRemembersAPromptAndCutsAWordWrittenInPiecesOnlyToFit) {
    std::ostringstream out;
    LineFitter fitter(out, 12);
    out << "wallet> " << std::flush;
    EXPECT_EQ(out.str(), "wallet> ");
    EXPECT_EQ(fitter.shownLine(), "wallet> ");
    out << "ok\n" << std::flush;
    EXPECT_EQ(fitter.shownLine(), "");
    out << std::unitbuf << "cards: "
        << "unknown"
        << "-word"
        << "-here"
        << " x\n";
    EXPECT_EQ(out.str(), "wallet> ok\ncards: \n  unknown-\n  word-here\n  x\n");
}

TEST(LineFitterTest, PutsTheStreamsOwnBufferBack) {
    std::ostringstream text;
    std::ostream& out = text;
    std::streambuf* own = out.rdbuf();
    {
        LineFitter fitter(out, 80);
        EXPECT_EQ(out.rdbuf(), &fitter);
    }
    EXPECT_EQ(out.rdbuf(), own);
}

}  // namespace
}  // namespace corvend::cli
