#include "examples/wallet-cli/EditLineReader.hpp"

#include <histedit.h>

#include <cstdio>
#include <stdexcept>
#include <utility>

#include "examples/wallet-cli/Interruptions.hpp"

namespace corvend::cli {

namespace {

// Lines a person can recall in one session.
constexpr int kHistorySize = 500;

}  // namespace

std::shared_ptr<EditLineReader> EditLineReader::make(platform::MainQueue& queue, LineFitter& screen,
                                                     bool takesInterrupt) {
    auto reader = std::make_shared<EditLineReader>(Passkey{}, screen, takesInterrupt);
    // A read under way keeps the editor it reads with.
    reader->reader_ = LineReader::make(
        [weak = std::weak_ptr<EditLineReader>(reader)]() -> std::optional<std::string> {
            const auto self = weak.lock();
            return self ? self->readLine() : std::nullopt;
        },
        queue);
    return reader;
}

EditLineReader::EditLineReader(Passkey, LineFitter& screen, bool takesInterrupt)
    : screen_(screen),
      history_(history_init(), history_end),
      editor_(el_init("wallet-cli", stdin, stdout, stderr), el_end) {
    if (!history_ || !editor_) throw std::runtime_error("the line editor could not start");
    HistEvent event;
    history(history_.get(), &event, H_SETSIZE, kHistorySize);
    history(history_.get(), &event, H_SETUNIQUE, 1);
    el_set(editor_.get(), EL_CLIENTDATA, this);
    el_set(editor_.get(), EL_PROMPT, &EditLineReader::prompt);
    el_set(editor_.get(), EL_EDITOR, "emacs");
    el_set(editor_.get(), EL_HIST, history, history_.get());
    // Ctrl-C or a stop while editing puts the terminal back as it was.
    el_set(editor_.get(), EL_SIGNAL, 1);
    if (takesInterrupt) {
        // While editing, Ctrl-C is a key: the line it ends is the reader's to judge.
        el_set(editor_.get(), EL_SETTY, "-d", "-isig", nullptr);
        el_set(editor_.get(), EL_ADDFN, "wallet-interrupt", "End the line as interrupted",
               &EditLineReader::interruptKey);
        el_set(editor_.get(), EL_BIND, "^C", "wallet-interrupt", nullptr);
    }
}

unsigned char EditLineReader::interruptKey(editline* editor, int) {
    void* reader = nullptr;
    el_get(editor, EL_CLIENTDATA, &reader);
    static_cast<EditLineReader*>(reader)->interrupted_ = true;
    return CC_NEWLINE;
}

char* EditLineReader::prompt(editline* editor) {
    void* reader = nullptr;
    el_get(editor, EL_CLIENTDATA, &reader);
    return static_cast<EditLineReader*>(reader)->prompt_.data();
}

void EditLineReader::next(Delivery deliver) {
    read(std::move(deliver), false);
}

void EditLineReader::nextCommand(Delivery deliver) {
    read(std::move(deliver), true);
}

void EditLineReader::read(Delivery deliver, bool command) {
    prompt_ = screen_.shownLine();
    command_ = command;
    interruptGuard_ = Interruptions::shared().take([] {});
    reader_->next([self = shared_from_this(), deliver = std::move(deliver)](auto line) {
        self->interruptGuard_.reset();
        // The person's Enter left the terminal on a new line (Ctrl-D at the end does not).
        if (line) self->screen_.lineEnded();
        deliver(std::move(line));
    });
}

std::optional<std::string> EditLineReader::readLine() {
    // The prompt is on the screen already: back to the line's start, so the editor draws it
    // over itself and knows where its own text begins.
    std::fputs("\r", stdout);
    int count = 0;
    const char* read = el_gets(editor_.get(), &count);
    while (interrupted_) {
        // What was typed is dropped, as a shell does; an answer becomes "close".
        interrupted_ = false;
        std::fputs("^C\n", stdout);
        std::fflush(stdout);
        if (!command_) return "close";
        read = el_gets(editor_.get(), &count);
    }
    if (read == nullptr || count <= 0) return std::nullopt;
    std::string line(read, static_cast<std::size_t>(count));
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (command_ && !line.empty()) {
        HistEvent event;
        history(history_.get(), &event, H_ENTER, line.c_str());
    }
    return line;
}

}  // namespace corvend::cli
