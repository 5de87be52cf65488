#pragma once

#include <signal.h>

#include <atomic>
#include <functional>
#include <thread>

namespace corvend::cli {

// The host's one place for the signals of a terminal: each is blocked in every thread and taken
// here, on a thread of its own, with sigwait; no handler runs on whichever thread happens to
// run. SIGINT (Ctrl-C where no line is being edited) calls `interrupted`; it and SIGQUIT drop
// what was typed ahead, as the terminal's keys do. SIGTERM, SIGHUP and SIGQUIT put the
// terminal's modes back (see TerminalModes), then end the host as the signal asks, so its
// parent sees that signal. SIGTSTP (Ctrl-Z) gives the terminal's modes back, stops
// the host, and on continuing takes the editor's modes again; the line editor is told of that,
// and of SIGWINCH (a new window size), through TerminalModes. A signal ignored when the host
// started (nohup) stays ignored. Make it on the process's first thread before any other thread
// starts: they inherit the blocked signals.
class HostSignals {
  public:
    explicit HostSignals(std::function<void()> interrupted);
    // Stops the waiting thread; the signals stay blocked, the process is ending.
    ~HostSignals();

    HostSignals(const HostSignals&) = delete;
    HostSignals& operator=(const HostSignals&) = delete;

  private:
    void take(int signal) const;

    sigset_t taken_{};
    std::function<void()> interrupted_;
    std::atomic<bool> stopping_{false};
    std::thread waiter_;
};

}  // namespace corvend::cli
