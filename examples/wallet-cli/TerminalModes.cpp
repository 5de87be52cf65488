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
    std::uint64_t id = 0;
    {
        std::scoped_lock lock(mutex_);
        id = ++nextId_;
        watchers_.emplace_back(id, std::move(watcher));
    }
    return std::shared_ptr<void>(static_cast<void*>(nullptr), [this, id](void*) {
        std::scoped_lock lock(mutex_);
        std::erase_if(watchers_, [id](const auto& entry) { return entry.first == id; });
    });
}

void TerminalModes::tell(Change change) {
    std::vector<std::pair<std::uint64_t, Watcher>> watchers;
    {
        std::scoped_lock lock(mutex_);
        watchers = watchers_;
    }
    // Unlocked: a watcher may give up its guard as it runs.
    for (const auto& [id, watcher] : watchers) watcher(change);
}

}  // namespace corvend::cli
