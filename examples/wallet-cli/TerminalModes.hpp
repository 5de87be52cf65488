#pragma once

#include <termios.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "examples/wallet-cli/HandlerList.hpp"

namespace corvend::cli {

// The modes of the terminal on standard input as the host found them, put back on every end
// of the host (see HostSignals for the ends by a signal), and while Ctrl-Z has it stopped.
// Who draws on the terminal watches it to redraw once it has it again. Thread-safe.
class TerminalModes {
  public:
    // What a watcher is told.
    enum class Change : std::uint8_t { continued, resized };
    using Watcher = std::function<void(Change)>;

    // The host's one terminal.
    static TerminalModes& shared();

    // Reads the modes the host found, when standard input is a terminal, and puts them back
    // should std::terminate end the host. Call it first in main, before any thread starts and
    // before anything changes them.
    void keep();
    // Puts the modes the host found back, unless the host is not in the terminal's foreground
    // (a job in the background leaves the modes to the one in front).
    void restore() const;
    // Ctrl-Z: the modes in force, and the ones the host found put back in their place; nullopt
    // when the host has not changed them. What was typed and not yet read is kept from the
    // shell, which reads the terminal while the host is stopped, for takeTyped.
    std::optional<termios> giveBack();
    // What giveBack kept, once; its reader reads it before anything typed since.
    std::string takeTyped();
    // A signal's key (Ctrl-C, Ctrl-\) drops what was typed ahead, as the terminal does with the
    // modes the host found; the host's own keep it for Ctrl-Z.
    void dropTyped() const;
    // After Ctrl-Z: puts `modes` (from giveBack) in force again, unless the host has finished
    // meanwhile, and tells the watchers.
    void takeAgain(const std::optional<termios>& modes);
    // The host's ordinary end: the modes it found are back for good.
    void finish();
    // The window's size changed: tells the watchers.
    void resized();
    // The key that suspends the host (Ctrl-Z), when the terminal has one.
    std::optional<char> suspendKey() const;

    // `watcher` is told of each change, on the thread that takes signals, until the guard goes.
    [[nodiscard]] std::shared_ptr<void> watch(Watcher watcher);

    // Puts the modes back when it goes: normal ends and exceptions alike.
    class Restorer {
      public:
        Restorer() = default;
        ~Restorer() { shared().finish(); }
        Restorer(const Restorer&) = delete;
        Restorer& operator=(const Restorer&) = delete;
    };

  private:
    void tell(Change change);

    // Written once by keep(), before any other thread starts, then only read.
    termios found_{};
    std::atomic<bool> kept_{false};
    // A continue that comes as the host finishes takes no modes after it.
    std::mutex modesMutex_;
    bool finished_ = false;
    std::string typed_;
    HandlerList<Watcher> watchers_;
};

}  // namespace corvend::cli
