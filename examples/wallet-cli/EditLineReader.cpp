#include "examples/wallet-cli/EditLineReader.hpp"

#include <fcntl.h>
#include <histedit.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cwchar>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "examples/wallet-cli/Interruptions.hpp"
#include "examples/wallet-cli/TerminalModes.hpp"

namespace corvend::cli {

namespace {

// Lines a person can recall in one session.
constexpr int kHistorySize = 500;

// A byte that is no part of a character in the terminal's character set is given to the editor
// as kRawByte + the byte, as no character ever is (a lone surrogate), and read back as that byte:
// the line goes on as typed, and what takes it refuses what it cannot carry.
constexpr wchar_t kRawByte = 0xDC00;

// The terminal on standard input, for writing: standard output when it is that terminal.
FILE* openTerminal() {
    if (isatty(STDOUT_FILENO) == 1) return stdout;
    std::array<char, 256> name{};
    const int fd = ttyname_r(STDIN_FILENO, name.data(), name.size()) == 0
                       ? open(name.data(), O_WRONLY | O_NOCTTY | O_CLOEXEC)
                       : -1;
    FILE* terminal = fd >= 0 ? fdopen(fd, "w") : nullptr;
    if (terminal == nullptr && fd >= 0) close(fd);
    return terminal != nullptr ? terminal : stdout;
}

void closeTerminal(FILE* terminal) {
    if (terminal != nullptr && terminal != stdout) std::fclose(terminal);
}

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
            self->wake();
        });
    return reader;
}

EditLineReader::EditLineReader(Passkey, LineFitter& screen, bool takesInterrupt)
    : screen_(screen),
      takesInterrupt_(takesInterrupt),
      history_(history_init(), history_end),
      out_(nullptr, closeTerminal),
      editor_(nullptr, el_end) {
    if (!history_ || pipe2(wake_.data(), O_CLOEXEC) != 0)
        throw std::runtime_error("the line editor could not start");
    HistEvent event;
    history(history_.get(), &event, H_SETSIZE, kHistorySize);
    history(history_.get(), &event, H_SETUNIQUE, 1);
}

editline* EditLineReader::editor() {
    if (editor_) return editor_.get();
    out_.reset(openTerminal());
    editor_.reset(el_init("wallet-cli", stdin, out_.get(), stderr));
    if (!editor_) return nullptr;
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
    // host puts the terminal's own modes back when it ends. A stop by Ctrl-Z there keeps what
    // was typed (see TerminalModes::giveBack).
    el_set(editor_.get(), EL_SETTY, "-x", "-icanon", "-echo", "+noflsh", nullptr);
    // While editing, Ctrl-C is a key: the line it ends is the reader's to judge.
    if (takesInterrupt_) el_set(editor_.get(), EL_SETTY, "-d", "-isig", nullptr);
    el_set(editor_.get(), EL_GETCFN, &EditLineReader::readCharacter);
    return editor_.get();
}

EditLineReader::~EditLineReader() {
    for (const int end : wake_) {
        if (end >= 0) close(end);
    }
}

void EditLineReader::wake() {
    // One byte at most in the pipe: the signal thread never waits on it, however many come.
    if (!woken_.exchange(true) && write(wake_[1], "w", 1) < 0) return;
}

int EditLineReader::readCharacter(editline* editor, wchar_t* character) {
    void* client = nullptr;
    el_get(editor, EL_CLIENTDATA, &client);
    auto& self = *static_cast<EditLineReader*>(client);
    while (true) {
        // Kept while Ctrl-Z had the host stopped, typed after what is held here.
        self.undecoded_ += TerminalModes::shared().takeTyped();
        if (!self.undecoded_.empty()) {
            std::mbstate_t state{};
            const std::size_t size =
                std::mbrtowc(character, self.undecoded_.data(), self.undecoded_.size(), &state);
            if (size == static_cast<std::size_t>(-1)) {
                // Never left out, nor taken with what follows it (Enter ends the line).
                *character = kRawByte + static_cast<unsigned char>(self.undecoded_.front());
                self.undecoded_.erase(0, 1);
                return 1;
            }
            if (size != static_cast<std::size_t>(-2)) {
                self.undecoded_.erase(0, std::max<std::size_t>(size, 1));
                return 1;
            }
        }
        if (const auto end = self.readMore(editor)) {
            if (*end == 1) *character = L'\n';
            return *end;
        }
    }
}

std::optional<int> EditLineReader::readMore(editline* editor) {
    while (true) {
        std::array<pollfd, 2> ready{{{.fd = STDIN_FILENO, .events = POLLIN, .revents = 0},
                                     {.fd = wake_[0], .events = POLLIN, .revents = 0}}};
        if (poll(ready.data(), ready.size(), -1) < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        char byte = 0;
        if ((ready[1].revents & POLLIN) != 0) {
            if (::read(wake_[0], &byte, 1) < 0) return -1;
            // Cleared before the flags are read: what is told after this wakes again.
            woken_ = false;
            followTerminal(editor);
            // Back from a stop, what was typed before it may be waiting.
            if (!keyedInterrupt_.exchange(false)) return std::nullopt;
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
            // Ctrl-Z as a key, the terminal's signals being off while editing: it stops the
            // whole job, as the terminal's key would, the host through its one place for
            // signals; the line is drawn again on continuing.
            std::fputs("^Z", out_.get());
            std::fflush(out_.get());
            kill(0, SIGTSTP);
            continue;
        }
        if (takesInterrupt_ && byte == '\x03') {
            // Ends the line; the reader drops what it holds.
            interrupted_ = true;
            undecoded_.clear();
            Interruptions::shared().keyed();
            std::fputs("^C", out_.get());
            return 1;
        }
        undecoded_ += byte;
        return std::nullopt;
    }
}

void EditLineReader::followTerminal(editline* editor) {
    const bool continued = redraw_.exchange(false);
    // Back from a stop the window may have another size: it was the shell's meanwhile.
    if (resize_.exchange(false) || continued) el_resize(editor);
    if (continued) {
        // Back from a stop, on a line of its own: the prompt and what was typed, drawn anew.
        std::fputs("\r", out_.get());
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
    // Between reads: nothing of it is in the editor yet, but a stop may have kept some.
    tcflush(STDIN_FILENO, TCIFLUSH);
    TerminalModes::shared().takeTyped();
}

void EditLineReader::takeTerminal() {
    if (editor() == nullptr) throw std::runtime_error("the line editor could not start");
}

void EditLineReader::setRecallable(std::function<bool(const std::string& line)> recallable) {
    recallable_ = std::move(recallable);
}

void EditLineReader::read(Delivery deliver, bool command) {
    prompt_ = screen_.shownLine();
    command_ = command;
    // Ctrl-C as a signal while a line is asked for is the line's: the editor is told.
    interruptGuard_ = Interruptions::shared().take([weakSelf = weak_from_this()] {
        if (const auto self = weakSelf.lock()) {
            self->keyedInterrupt_ = true;
            self->wake();
        }
    });
    reader_->next([self = shared_from_this(), deliver = std::move(deliver)](auto line) {
        self->interruptGuard_.reset();
        // The person's Enter left the terminal on a new line (Ctrl-D at the end does not).
        if (line) self->screen_.lineEnded();
        deliver(std::move(line));
    });
}

std::optional<std::string> EditLineReader::readLine() {
    auto* const editor = this->editor();
    if (editor == nullptr) return std::nullopt;
    int count = 0;
    const auto edit = [this, editor, &count] {
        // The editor's mode before its prompt: a key typed as soon as the prompt shows is the
        // editor's (Ctrl-Z too), never the terminal's signal, which would drop what was typed.
        el_set(editor, EL_PREP_TERM, 1);
        // A stop or a new size before this read: the editor draws and measures afresh anyway.
        redraw_ = false;
        resize_ = false;
        // The prompt is on the screen already: back to the line's start, so the editor draws it
        // over itself and knows where its own text begins.
        std::fputs("\r", out_.get());
        return el_wgets(editor, &count);
    };
    const wchar_t* read = edit();
    while (interrupted_) {
        // What was typed is dropped, as a shell does; an answer becomes "close".
        interrupted_ = false;
        if (!command_) return "close";
        read = edit();
    }
    if (read == nullptr || count <= 0) return std::nullopt;
    // The bytes typed, each raw byte as it came.
    std::string line;
    bool raw = false;
    std::mbstate_t state{};
    for (const wchar_t character : std::wstring_view(read, static_cast<std::size_t>(count))) {
        if (character >= kRawByte + 0x80 && character <= kRawByte + 0xFF) {
            line += static_cast<char>(character - kRawByte);
            raw = true;
            continue;
        }
        std::array<char, MB_LEN_MAX> bytes{};
        const std::size_t size = std::wcrtomb(bytes.data(), character, &state);
        if (size != static_cast<std::size_t>(-1)) line.append(bytes.data(), size);
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    // The history keeps characters: a raw byte would come back as another line.
    if (command_ && !raw && !line.empty() && (!recallable_ || recallable_(line))) {
        HistEvent event;
        history(history_.get(), &event, H_ENTER, line.c_str());
    }
    return line;
}

}  // namespace corvend::cli
