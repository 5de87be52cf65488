#include "examples/wallet-cli/EditLineReader.hpp"

#include <histedit.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cwchar>
#include <stdexcept>
#include <utility>

#include "examples/wallet-cli/Interruptions.hpp"
#include "examples/wallet-cli/TerminalModes.hpp"

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
    // Told on the thread that takes signals; the editor itself is touched only where it reads.
    reader->terminalGuard_ = TerminalModes::shared().watch(
        [weak = std::weak_ptr<EditLineReader>(reader)](TerminalModes::Change change) {
            const auto self = weak.lock();
            if (!self) return;
            (change == TerminalModes::Change::continued ? self->redraw_ : self->resize_) = true;
            if (write(self->wake_[1], "w", 1) < 0) return;
        });
    return reader;
}

EditLineReader::EditLineReader(Passkey, LineFitter& screen, bool takesInterrupt)
    : screen_(screen),
      takesInterrupt_(takesInterrupt),
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
    // No handlers of the editor's own (EL_SIGNAL): they would run on whichever thread the signal
    // reaches, while the editor reads on another. The host takes signals in one place
    // (HostSignals) and tells the reader through the wake-up pipe.
    // Between reads too the terminal passes each key on as it is, unechoed, for the next read:
    // were it left to cook lines, a key typed as a prompt appears would be cooked before the
    // editor takes it (Ctrl-D an end of input nobody reads). Ctrl-C stays a signal there; the
    // host puts the terminal's own modes back when it ends.
    el_set(editor_.get(), EL_SETTY, "-x", "-icanon", "-echo", nullptr);
    // While editing, Ctrl-C is a key: the line it ends is the reader's to judge.
    if (takesInterrupt) el_set(editor_.get(), EL_SETTY, "-d", "-isig", nullptr);
    el_set(editor_.get(), EL_GETCFN, &EditLineReader::readCharacter);
    if (pipe(wake_.data()) != 0) throw std::runtime_error("the line editor could not start");
}

EditLineReader::~EditLineReader() {
    for (const int end : wake_) {
        if (end >= 0) close(end);
    }
}

int EditLineReader::readCharacter(editline* editor, wchar_t* character) {
    void* client = nullptr;
    el_get(editor, EL_CLIENTDATA, &client);
    auto& self = *static_cast<EditLineReader*>(client);
    std::mbstate_t state{};
    while (true) {
        std::array<pollfd, 2> ready{{{.fd = STDIN_FILENO, .events = POLLIN, .revents = 0},
                                     {.fd = self.wake_[0], .events = POLLIN, .revents = 0}}};
        if (poll(ready.data(), ready.size(), -1) < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        char byte = 0;
        if ((ready[1].revents & POLLIN) != 0) {
            if (::read(self.wake_[0], &byte, 1) < 0) return -1;
            if (byte == 'w') {
                self.followTerminal(editor);
                continue;
            }
            // Ctrl-C came as a signal, typed before the editor took the terminal.
            byte = '\x03';
        } else {
            const ssize_t got = ::read(STDIN_FILENO, &byte, 1);
            if (got == 0) return 0;
            if (got < 0) {
                if (errno == EINTR) continue;
                return -1;
            }
        }
        if (byte == TerminalModes::shared().suspendKey()) {
            // Ctrl-Z as a key, the terminal's signals being off while editing: the host's
            // one place for signals stops it, and the line is drawn again on continuing.
            std::fputs("^Z", stdout);
            std::fflush(stdout);
            kill(getpid(), SIGTSTP);
            continue;
        }
        if (self.takesInterrupt_ && byte == '\x03') {
            // Ends the line; the reader drops what it holds.
            self.interrupted_ = true;
            Interruptions::shared().keyed();
            std::fputs("^C", stdout);
            *character = L'\n';
            return 1;
        }
        const std::size_t size = std::mbrtowc(character, &byte, 1, &state);
        if (size == static_cast<std::size_t>(-2)) continue;  // more bytes of one character
        if (size == static_cast<std::size_t>(-1)) {
            state = {};  // not in the terminal's character set: left out
            continue;
        }
        return 1;
    }
}

void EditLineReader::followTerminal(editline* editor) {
    if (resize_.exchange(false)) el_resize(editor);
    if (redraw_.exchange(false)) {
        // Back from a stop, on a line of its own: the prompt and what was typed, drawn anew.
        std::fputs("\r", stdout);
        el_set(editor, EL_REFRESH);
    }
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

void EditLineReader::dropTyped() {
    // Between reads: nothing of it is in the editor yet.
    tcflush(STDIN_FILENO, TCIFLUSH);
}

void EditLineReader::setRecallable(std::function<bool(const std::string& line)> recallable) {
    recallable_ = std::move(recallable);
}

void EditLineReader::read(Delivery deliver, bool command) {
    prompt_ = screen_.shownLine();
    command_ = command;
    // Ctrl-C as a signal while a line is asked for is the line's: the editor is told.
    interruptGuard_ = Interruptions::shared().take([weakSelf = weak_from_this()] {
        const auto self = weakSelf.lock();
        if (self && self->wake_[1] >= 0 && write(self->wake_[1], "x", 1) < 0) return;
    });
    reader_->next([self = shared_from_this(), deliver = std::move(deliver)](auto line) {
        self->interruptGuard_.reset();
        // The person's Enter left the terminal on a new line (Ctrl-D at the end does not).
        if (line) self->screen_.lineEnded();
        deliver(std::move(line));
    });
}

std::optional<std::string> EditLineReader::readLine() {
    int count = 0;
    const auto edit = [this, &count] {
        // The editor's mode before its prompt: a key typed as soon as the prompt shows is the
        // editor's (Ctrl-Z too), never the terminal's signal, which would drop what was typed.
        el_set(editor_.get(), EL_PREP_TERM, 1);
        // A stop or a new size before this read: the editor draws and measures afresh anyway.
        redraw_ = false;
        resize_ = false;
        // The prompt is on the screen already: back to the line's start, so the editor draws it
        // over itself and knows where its own text begins.
        std::fputs("\r", stdout);
        return el_gets(editor_.get(), &count);
    };
    const char* read = edit();
    while (interrupted_) {
        // What was typed is dropped, as a shell does; an answer becomes "close".
        interrupted_ = false;
        if (!command_) return "close";
        read = edit();
    }
    if (read == nullptr || count <= 0) return std::nullopt;
    std::string line(read, static_cast<std::size_t>(count));
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (command_ && !line.empty() && (!recallable_ || recallable_(line))) {
        HistEvent event;
        history(history_.get(), &event, H_ENTER, line.c_str());
    }
    return line;
}

}  // namespace corvend::cli
