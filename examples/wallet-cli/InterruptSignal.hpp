#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace corvend::cli {

// Takes SIGINT (Ctrl-C at a terminal whose line is not being edited) away from its default,
// which ends the process, and calls `received` on a thread of its own for each one. Make it on
// the process's first thread before any other thread starts: they inherit the blocked signal.
class InterruptSignal {
  public:
    explicit InterruptSignal(std::function<void()> received);
    // Stops the waiting thread; the signal stays blocked, the process is ending.
    ~InterruptSignal();

    InterruptSignal(const InterruptSignal&) = delete;
    InterruptSignal& operator=(const InterruptSignal&) = delete;

  private:
    std::atomic<bool> stopping_{false};
    std::thread waiter_;
};

}  // namespace corvend::cli
