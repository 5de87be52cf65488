#include "examples/wallet-cli/LineFitter.hpp"

namespace corvend::cli {

namespace {

// How much further than its own indent a cut line goes on.
constexpr std::size_t kContinuationIndent = 2;

// A tab reaches here escaped, as every control character.
bool isBlank(char c) {
    return c == ' ';
}

}  // namespace

LineFitter::LineFitter(std::ostream& stream, std::size_t width)
    : stream_(stream), target_(stream.rdbuf()), width_(width) {
    stream_.flush();
    stream_.rdbuf(this);
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
    return traits_type::not_eof(c);
}

std::streamsize LineFitter::xsputn(const char* text, std::streamsize count) {
    for (std::streamsize i = 0; i < count; ++i) put(text[i]);
    return count;
}

int LineFitter::sync() {
    // A prompt is shown now, with the blank after it; a word cut short here goes on unbroken.
    const bool inWord = !word_.empty();
    writeWord();
    if (column_ + blanks_.size() <= width_) write(blanks_, blanks_.size());
    blanks_.clear();
    glued_ = inWord;
    return target_->pubsync();
}

void LineFitter::put(char c) {
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
    // UTF-8 continuation bytes take no column of their own.
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++wordColumns_;
}

void LineFitter::writeWord() {
    if (word_.empty()) return;
    if (!glued_ && wordsOnLine_ && column_ + blanks_.size() + wordColumns_ > width_) {
        target_->sputc('\n');
        shown_.clear();
        column_ = 0;
        const std::string indent(indent_ + kContinuationIndent, ' ');
        write(indent, indent.size());
    } else {
        write(blanks_, blanks_.size());
    }
    blanks_.clear();
    write(word_, wordColumns_);
    wordsOnLine_ = true;
    word_.clear();
    wordColumns_ = 0;
    glued_ = false;
}

void LineFitter::write(std::string_view text, std::size_t columns) {
    target_->sputn(text.data(), static_cast<std::streamsize>(text.size()));
    shown_ += text;
    column_ += columns;
}

void LineFitter::endLine() {
    writeWord();
    if (column_ + blanks_.size() <= width_) write(blanks_, blanks_.size());
    blanks_.clear();
    target_->sputc('\n');
    lineEnded();
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
}

}  // namespace corvend::cli
