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
              "short\tline  kept ok\n");
    // Columns are characters: "€" takes three bytes and one column.
    EXPECT_EQ(fitted(10, [](std::ostream& out) { out << "12,00 € ab\n"; }), "12,00 € ab\n");
}

TEST(LineFitterTest, AWordWiderThanALineRunsOverOnALineOfItsOwn) {
    const std::string address = "https://example.com/a/long/address";
    EXPECT_EQ(fitted(20, [&](std::ostream& out) { out << "visit " << address << " now\n"; }),
              "visit\n  " + address + "\n  now\n");
}

// A flushed prompt is shown at once, blank and all, and remembered until its line ends; a word
// written in pieces with flushes between them is never cut.
TEST(LineFitterTest, ShowsAndRemembersAPromptAndNeverCutsAWordWrittenInPieces) {
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
    EXPECT_EQ(out.str(), "wallet> ok\ncards: \n  unknown-word-here\n  x\n");
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
