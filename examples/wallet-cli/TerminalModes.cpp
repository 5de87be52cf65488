#include "examples/wallet-cli/TerminalModes.hpp"

#include <unistd.h>

#include <algorithm>

#include "platform/foundation/NeverDestroyed.hpp"

namespace corvend::cli {

TerminalModes& TerminalModes::shared() {
    // Never destroyed: a signal may end the host while exit destroys ordinary statics.
    static platform::NeverDestroyed<TerminalModes> modes;
    return *modes;
}

void TerminalModes::keep() {
    if (isatty(STDIN_FILENO) == 1 && tcgetattr(STDIN_FILENO, &found_) == 0) kept_ = true;
}

void TerminalModes::restore() const {
    if (!kept_ || tcgetpgrp(STDIN_FILENO) != getpgrp()) return;
    tcsetattr(STDIN_FILENO, TCSANOW, &found_);
}

std::optional<termios> TerminalModes::giveBack() const {
    termios current{};
    if (!kept_ || tcgetattr(STDIN_FILENO, &current) != 0) return std::nullopt;
    restore();
    return current;
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
