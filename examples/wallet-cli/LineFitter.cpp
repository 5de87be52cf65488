#include "examples/wallet-cli/LineFitter.hpp"

#include <poll.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace corvend::cli {

namespace {

// How much further than its own indent a cut line goes on.
constexpr std::size_t kContinuationIndent = 2;

// A tab reaches here escaped, as every control character.
bool isBlank(char c) {
    return c == ' ';
}

bool isHex(std::string_view text, std::size_t from, std::size_t count) {
    if (from + count > text.size()) return false;
    for (std::size_t i = from; i < from + count; ++i) {
        const char c = text[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return true;
}

struct Piece {
    std::size_t bytes = 0;
    std::size_t columns = 0;
};

// The character at `at` of shown text: an escape ("\x1b", "\u009b") is one, its columns
// those of its characters; a UTF-8 character takes the columns a terminal gives it.
Piece characterAt(std::string_view text, std::size_t at) {
    if (text[at] == '\\' && at + 1 < text.size()) {
        if (text[at + 1] == 'x' && isHex(text, at + 2, 2)) return {4, 4};
        if (text[at + 1] == 'u' && isHex(text, at + 2, 4)) return {6, 6};
    }
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = std::min<std::size_t>(lead < 0xC0   ? 1
                                                     : lead < 0xE0 ? 2
                                                     : lead < 0xF0 ? 3
                                                                   : 4,
                                                     text.size() - at);
    return {length, TerminalText::columns(text.substr(at, length))};
}

// After these an id, a reference or an address reads well cut.
bool cutsWellAfter(char c) {
    return c == '-' || c == '/' || c == '.' || c == '_' || c == ',' || c == ':' || c == ';' ||
           c == '?' || c == '&' || c == '=';
}

// The start of `word` that fills at most `room` columns, whole characters only: up to the last
// character a word cuts well after, when that takes `least` columns or more, else all it can.
Piece pieceOf(std::string_view word, std::size_t room, std::size_t least = 0) {
    Piece all;
    Piece well;
    while (all.bytes < word.size()) {
        const Piece character = characterAt(word, all.bytes);
        if (all.columns + character.columns > room) break;
        all.bytes += character.bytes;
        all.columns += character.columns;
        if (cutsWellAfter(word[all.bytes - 1])) well = all;
    }
    return well.bytes > 0 && well.columns >= least ? well : all;
}

}  // namespace

LineFitter::LineFitter(std::ostream& stream, std::size_t width, int descriptor)
    : LineFitter(
          stream, [width] { return width; }, descriptor) {}

LineFitter::LineFitter(std::ostream& stream, std::function<std::size_t()> width, int descriptor)
    : stream_(stream),
      target_(stream.rdbuf()),
      measure_(std::move(width)),
      width_(measure_()),
      descriptor_(descriptor) {
    stream_.flush();
    stream_.rdbuf(this);
}

std::size_t LineFitter::terminalWidth(int descriptor) {
    winsize size{};
    if (descriptor >= 0 && ioctl(descriptor, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    if (const char* columns = std::getenv("COLUMNS")) {
        std::size_t width = 0;
        const char* end = columns + std::strlen(columns);
        const auto [at, error] = std::from_chars(columns, end, width);
        if (error == std::errc() && at == end && width > 0) return width;
    }
    return 80;
}

LineFitter::~LineFitter() {
    // A character left unfinished shows as its bytes.
    std::string rest;
    text_.end(rest);
    for (const char c : rest) place(c);
    sync();
    stream_.rdbuf(target_);
}

LineFitter::int_type LineFitter::overflow(int_type c) {
    if (!traits_type::eq_int_type(c, traits_type::eof())) put(traits_type::to_char_type(c));
    return error_ ? traits_type::eof() : traits_type::not_eof(c);
}

std::streamsize LineFitter::xsputn(const char* text, std::streamsize count) {
    for (std::streamsize i = 0; i < count; ++i) put(text[i]);
    // Short of everything, so that the stream fails.
    return error_ ? 0 : count;
}

int LineFitter::sync() {
    // A prompt is shown now, with the blank after it; a word cut short here goes on unbroken.
    const bool inWord = !word_.empty();
    writeWord();
    if (column_ + blanks_.size() <= width_) write(blanks_, blanks_.size());
    blanks_.clear();
    glued_ = inWord;
    errno = 0;
    if (target_->pubsync() != 0) lost();
    // A pipe or socket no one reads any more: what is written next would be lost.
    pollfd gone{.fd = descriptor_, .events = 0, .revents = 0};
    if (descriptor_ >= 0 && poll(&gone, 1, 0) == 1 && (gone.revents & POLLERR) != 0) {
        errno = EPIPE;
        lost();
    }
    return error_ ? -1 : 0;
}

void LineFitter::put(char c) {
    if (!measured_) {
        // As the line starts: the window may have changed since the last one.
        width_ = measure_();
        measured_ = true;
    }
    if (leavingOut()) {
        std::string held;
        text_.end(held);
        word_.clear();
        blanks_.clear();
        if (c != '\n') return;
    }
    std::string shown;
    if (c == '\n') {
        text_.end(shown);
    } else {
        text_.put(c, shown);
    }
    for (const char s : shown) place(s);
    if (c == '\n') endLine();
}

void LineFitter::place(char c) {
    if (isBlank(c)) {
        if (!started_) {
            // The line's own indent is kept as it is.
            write(std::string_view(&c, 1), 1);
            ++indent_;
            return;
        }
        writeWord();
        glued_ = false;
        blanks_ += c;
        return;
    }
    started_ = true;
    word_ += c;
}

bool LineFitter::startsMark() const {
    const auto bar = kPageMark.find('|');
    return !wordsOnLine_ && indent_ == bar && word_ == kPageMark.substr(bar, 1);
}

void LineFitter::writeWord() {
    if (word_.empty()) return;
    // The mark is written whole, however narrow the line.
    const bool mark = startsMark();
    if (mark) marked_ = true;
    const std::size_t wordColumns = TerminalText::columns(word_);
    if (!glued_ && wordsOnLine_ && column_ + blanks_.size() + wordColumns > width_) {
        goOn();
    } else {
        write(blanks_, blanks_.size());
    }
    blanks_.clear();
    // A word wider than what is left of the line goes on over the next ones, cut where it
    // reads best.
    std::string_view rest = word_;
    std::size_t restColumns = wordColumns;
    while (!mark && column_ + restColumns > width_) {
        if (leavingOut()) {
            rest = {};
            restColumns = 0;
            break;
        }
        // A cut where it reads well, so long as the line is then half full.
        Piece piece = pieceOf(rest, column_ < width_ ? width_ - column_ : 0,
                              column_ < width_ / 2 ? width_ / 2 - column_ : 0);
        if (piece.bytes == 0) {
            if (!goneOn_) {
                goOn();
                continue;
            }
            // Not even one character fits a fresh line (a narrow terminal, the mark): it runs
            // over rather than vanish.
            piece = characterAt(rest, 0);
        }
        write(rest.substr(0, piece.bytes), piece.columns);
        rest.remove_prefix(piece.bytes);
        restColumns -= piece.columns;
        if (rest.empty()) break;
        goOn();
    }
    write(rest, restColumns);
    wordsOnLine_ = true;
    word_.clear();
    glued_ = false;
}

std::size_t LineFitter::continuationIndent() const {
    // Half the line at most, so a continued line always has room.
    const std::size_t lead = marked_ ? kPageMark.size() : indent_;
    return std::min(lead + kContinuationIndent, width_ / 2);
}

void LineFitter::goOn() {
    send("\n");
    shown_.clear();
    column_ = 0;
    std::string indent(continuationIndent(), ' ');
    if (marked_) indent.replace(0, kPageMark.size(), kPageMark);
    write(indent, indent.size());
    goneOn_ = true;
}

void LineFitter::write(std::string_view text, std::size_t columns) {
    if (goneOn_ && !text.empty()) {
        goneOn_ = false;
        if (!marked_ && text.front() == '|' && shown_.size() == kPageMark.find('|')) {
            // Never the mark on a line that is no page's.
            send(" ");
            shown_ += ' ';
            ++column_;
        }
    }
    send(text);
    shown_ += text;
    column_ += columns;
}

void LineFitter::endLine() {
    writeWord();
    if (column_ + blanks_.size() <= width_) write(blanks_, blanks_.size());
    blanks_.clear();
    send("\n");
    lineEnded();
}

void LineFitter::send(std::string_view text) {
    if (text.empty()) return;
    errno = 0;
    const auto size = static_cast<std::streamsize>(text.size());
    if (target_->sputn(text.data(), size) != size) lost();
}

void LineFitter::lost() {
    // The first error is the one to tell: later ones follow from it. A buffer over the C
    // library's stream leaves the reason in errno.
    if (!error_) error_ = std::error_code(errno != 0 ? errno : EIO, std::generic_category());
}

void LineFitter::pageWordsFollow(std::ostream& stream) {
    if (auto* fitter = dynamic_cast<LineFitter*>(stream.rdbuf())) fitter->marked_ = true;
}

void LineFitter::lineEnded() {
    writeWord();
    blanks_.clear();
    shown_.clear();
    column_ = 0;
    indent_ = 0;
    started_ = false;
    wordsOnLine_ = false;
    glued_ = false;
    marked_ = false;
    goneOn_ = false;
    measured_ = false;
}

}  // namespace corvend::cli
