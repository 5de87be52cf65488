#include "examples/wallet-cli/TerminalModes.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <exception>

#include "platform/foundation/NeverDestroyed.hpp"

namespace corvend::cli {

namespace {

std::atomic<std::terminate_handler> defaultTerminate{nullptr};

// An exception nothing caught, on any thread, ends the host too: the terminal is put back as it
// was found, then the usual handler names the exception and aborts.
[[noreturn]] void terminateRestoringTheTerminal() {
    TerminalModes::shared().restore();
    if (const auto terminate = defaultTerminate.load()) terminate();
    std::abort();
}

bool sameModes(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && std::ranges::equal(a.c_cc, b.c_cc);
}

bool inFront() {
    return tcgetpgrp(STDIN_FILENO) == getpgrp();
}

}  // namespace

TerminalModes& TerminalModes::shared() {
    // Never destroyed: a signal may end the host while exit destroys ordinary statics.
    static platform::NeverDestroyed<TerminalModes> modes;
    return *modes;
}

void TerminalModes::keep() {
    if (isatty(STDIN_FILENO) == 1 && tcgetattr(STDIN_FILENO, &found_) == 0) kept_ = true;
    defaultTerminate = std::set_terminate(&terminateRestoringTheTerminal);
}

void TerminalModes::restore() const {
    if (!kept_ || !inFront()) return;
    tcsetattr(STDIN_FILENO, TCSANOW, &found_);
}

std::optional<termios> TerminalModes::giveBack() {
    if (kept_ && inFront()) {
        // Read through a description of its own that never waits: the editor's may be waiting.
        const int terminal = open("/proc/self/fd/0", O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        std::array<char, 4096> bytes{};
        ssize_t got = 0;
        std::scoped_lock lock(modesMutex_);
        while (terminal >= 0 && (got = read(terminal, bytes.data(), bytes.size())) > 0)
            typed_.append(bytes.data(), static_cast<std::size_t>(got));
        if (terminal >= 0) close(terminal);
    }
    termios current{};
    if (!kept_ || tcgetattr(STDIN_FILENO, &current) != 0) return std::nullopt;
    restore();
    // Modes the host never changed need no taking again, in the background least of all.
    if (sameModes(current, found_)) return std::nullopt;
    return current;
}

std::string TerminalModes::takeTyped() {
    std::scoped_lock lock(modesMutex_);
    return std::exchange(typed_, {});
}

void TerminalModes::dropTyped() const {
    if (kept_ && (found_.c_lflag & NOFLSH) == 0 && inFront()) tcflush(STDIN_FILENO, TCIFLUSH);
}

void TerminalModes::takeAgain(const std::optional<termios>& modes) {
    {
        std::scoped_lock lock(modesMutex_);
        // From the background this stops the host until it is in front again, as it should.
        if (modes && !finished_) tcsetattr(STDIN_FILENO, TCSANOW, &*modes);
    }
    tell(Change::continued);
}

void TerminalModes::finish() {
    std::scoped_lock lock(modesMutex_);
    finished_ = true;
    restore();
}

void TerminalModes::resized() {
    tell(Change::resized);
}

std::optional<char> TerminalModes::suspendKey() const {
    if (!kept_ || found_.c_cc[VSUSP] == _POSIX_VDISABLE) return std::nullopt;
    return static_cast<char>(found_.c_cc[VSUSP]);
}

std::shared_ptr<void> TerminalModes::watch(Watcher watcher) {
    return watchers_.add(std::move(watcher));
}

void TerminalModes::tell(Change change) {
    for (const auto& watcher : watchers_.all()) watcher(change);
}

}  // namespace corvend::cli
