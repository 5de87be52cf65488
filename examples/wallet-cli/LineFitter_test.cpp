#include "examples/wallet-cli/LineFitter.hpp"

#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <optional>
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
    std::string hexagrams;
    for (int i = 0; i < 38; ++i) hexagrams += "\xe4\xb7\x80";
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
        // U+4DC0 is one column by ICU's properties, two by the C library's, as terminals draw it.
        {80, "  | " + hexagrams + " card deposit result: completed\n",
         "  | " + hexagrams + "\n  |   card deposit result: completed\n"},
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

// However narrow the terminal, every row of a page's words starts with the mark and the words
// all come through, a character a row where nothing more fits beside the mark; the host's rows
// never start with it. The width is read again as each line starts.
TEST(LineFitterTest, MarksEveryRowOfAPageAtAnyWidthReadAsEachLineStarts) {
    const std::string words = "card deposit \xe4\xb7\x80\xe6\x97\xa5 result: completed";
    std::string solid = words;
    std::erase(solid, ' ');
    for (std::size_t width = 0; width <= 12; ++width) {
        SCOPED_TRACE(width);
        std::istringstream page(fitted(width, [&](std::ostream& out) { out << "  | " << words; }));
        std::string shown;
        for (std::string row; std::getline(page, row);) {
            ASSERT_TRUE(row == "  |" || row.starts_with("  | ")) << row;
            shown += row.substr(3);
        }
        std::erase(shown, ' ');
        EXPECT_EQ(shown, solid);
        std::istringstream host(fitted(width, [](std::ostream& out) { out << "usage: | list"; }));
        for (std::string row; std::getline(host, row);) EXPECT_FALSE(row.starts_with("  |")) << row;
    }

    std::ostringstream out;
    std::size_t width = 12;
    {
        LineFitter fitter(out, [&] { return width; });
        out << "one two three four\n";
        width = 80;
        out << "one two three four\n";
    }
    EXPECT_EQ(out.str(), "one two\n  three four\none two three four\n");
}

// A terminal's width is its own; elsewhere COLUMNS says it, else 80.
TEST(LineFitterTest, ReadsTheWidthOfTheTerminalElseColumnsElse80) {
    const char* before = std::getenv("COLUMNS");
    const std::optional<std::string> kept =
        before ? std::optional<std::string>(before) : std::nullopt;
    int terminal = -1;
    int follower = -1;
    const winsize size{.ws_row = 24, .ws_col = 40, .ws_xpixel = 0, .ws_ypixel = 0};
    ASSERT_EQ(openpty(&terminal, &follower, nullptr, nullptr, &size), 0);
    setenv("COLUMNS", "33", 1);
    EXPECT_EQ(LineFitter::terminalWidth(follower), 40u);
    EXPECT_EQ(LineFitter::terminalWidth(-1), 33u);
    std::array<int, 2> pipe{-1, -1};
    ASSERT_EQ(::pipe(pipe.data()), 0);
    EXPECT_EQ(LineFitter::terminalWidth(pipe[1]), 33u);
    for (const char* columns : {"", "0", "wide", "33x", "-5", "99999999999999999999999"}) {
        setenv("COLUMNS", columns, 1);
        EXPECT_EQ(LineFitter::terminalWidth(pipe[1]), 80u) << columns;
    }
    unsetenv("COLUMNS");
    EXPECT_EQ(LineFitter::terminalWidth(pipe[1]), 80u);
    for (const int descriptor : {terminal, follower, pipe[0], pipe[1]}) close(descriptor);
    if (kept) setenv("COLUMNS", kept->c_str(), 1);
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
