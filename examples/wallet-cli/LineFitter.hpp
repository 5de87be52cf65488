#pragma once

#include <cstddef>
#include <functional>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "examples/wallet-cli/TerminalText.hpp"

namespace corvend::cli {

// The one way the host's text reaches the terminal. Writes everything written to a stream as
// TerminalText shows it, so no text of the service's, a page's or a person's can act on the
// terminal: only a newline goes on as itself. Fits every line into `width` columns while it
// lives (read again as each line starts: a terminal's width changes as its window does): a
// line that would run past them is cut at the blank before the word that does not fit,
// and goes on on the next line indented two columns more than it was. A word wider than what is
// left of a line (a long id, an address, a masked number) is cut too, never inside a character
// or an escape, after a '-', '/', '.' and the like where that leaves the line half full.
// Columns are counted as a terminal shows UTF-8 (TerminalText::columns): two for a wide
// character, none for a combining mark; an escape takes one per character.
//
// A line that starts with kPageMark (a page's text, see ScreenDriver), or one on which a page's
// words follow (pageWordsFollow), goes on with the mark, and no other line does: where one would
// go on with a "|" in the mark's place, the "|" is set a column further. So the mark starts only
// lines of a page's words. Where the width leaves no room beside the mark, each line after the
// mark still takes one character, and runs over: every row of a page's words keeps its mark.
// Time linear in what is written.
//
// Installs itself as the stream's buffer and puts the old one back when destroyed; everything
// goes on to the old one. Output the old one refuses (a full disk, a closed pipe) is lost for
// good: from then on the stream fails (its badbit is set at its next write or flush), and
// writeError says why. Not thread-safe: write to the stream from one thread at a time.
class LineFitter final : public std::streambuf {
  public:
    // What starts every line of a page's text, and no line of the host's own.
    static constexpr std::string_view kPageMark = "  | ";

    // `descriptor`, when given, is where the old buffer writes: a flush finds it gone (a pipe
    // whose reader left) even with nothing to write.
    LineFitter(std::ostream& stream, std::size_t width, int descriptor = -1);
    // Fits lines to what `width` says as each line starts.
    LineFitter(std::ostream& stream, std::function<std::size_t()> width, int descriptor = -1);
    ~LineFitter() override;

    // The width of the terminal `descriptor` is, when it is one and says (TIOCGWINSZ); else
    // COLUMNS, when it holds a width; else 80.
    static std::size_t terminalWidth(int descriptor);

    LineFitter(const LineFitter&) = delete;
    LineFitter& operator=(const LineFitter&) = delete;

    // What the terminal shows on the line not yet ended (a prompt), as written so far (escaped).
    const std::string& shownLine() const { return shown_; }

    // The line was ended outside the stream (a person typed a line after the prompt, and the
    // terminal echoed it): what is written next starts a new line.
    void lineEnded();

    // The words written next on the line are a page's (a link's in a menu): the line goes on
    // with the mark, as a line of a page's text does. A stream not fitted is left as it is.
    static void pageWordsFollow(std::ostream& stream);

    // The words of a page's line (one with the mark) written while `leaveOut` says so are not
    // shown; the line still ends where it was written to. Ctrl-C then cuts a long page short.
    void leaveOutPageWordsWhile(std::function<bool()> leaveOut) { leaveOut_ = std::move(leaveOut); }

    // Why output was lost: the error of the first write the old buffer refused; none while
    // everything reached it.
    std::error_code writeError() const { return error_; }

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

  private:
    void put(char c);
    // The words written now are a page's and are left out (see leaveOutPageWordsWhile).
    bool leavingOut() const { return marked_ && leaveOut_ && leaveOut_(); }
    // Places one character of the text as shown.
    void place(char c);
    // Writes the word being read, on a new line first when it does not fit after the blanks.
    void writeWord();
    // The word being read is the mark's "|", first on its line at the mark's column.
    bool startsMark() const;
    void write(std::string_view text, std::size_t columns);
    // Hands `text` to the old buffer, noting the error should it refuse it.
    void send(std::string_view text);
    void lost();
    void endLine();
    // Ends the line written and starts the one it goes on on, indented.
    void goOn();
    std::size_t continuationIndent() const;

    std::ostream& stream_;
    TerminalText text_;
    std::streambuf* target_;
    std::function<std::size_t()> measure_;
    std::function<bool()> leaveOut_;
    std::size_t width_;
    int descriptor_;
    std::string shown_;         // the line written so far
    std::size_t column_ = 0;    // its columns
    std::size_t indent_ = 0;    // its leading blanks
    bool started_ = false;      // something but blanks is on it
    bool wordsOnLine_ = false;  // a word is on it since it was last cut
    std::string blanks_;        // blanks read since the last word, not yet written
    std::string word_;          // the word being read
    bool glued_ = false;        // the word goes on one written at a flush: no cut before it
    bool marked_ = false;       // the line goes on with kPageMark
    bool goneOn_ = false;       // the line was cut and nothing is written after its indent yet
    bool measured_ = true;      // width_ was read for the line under way
    std::error_code error_;
};

}  // namespace corvend::cli
