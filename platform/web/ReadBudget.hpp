#pragma once

#include <time.h>

#include <atomic>
#include <csetjmp>
#include <csignal>
#include <cstddef>
#include <cstdint>

#include "platform/async/CancellationToken.hpp"
#include "platform/web/WebPage.hpp"

namespace corvend::platform::web {

// What one page read may still spend, on the thread that reads, and the way out of it wherever
// the read is.
//
// A read stops when its task is cancelled, when the thread has spent its CPU time, or when it
// would hold more memory than its limits allow. Gumbo can work for minutes without calling the
// reader back (text under thousands of open elements makes it scan them all per character), so
// the cancel and the CPU time cannot wait for a call: both reach the reading thread as a signal
// directed at it (signalNumber(): a timer on the thread's CPU clock, and pthread_sigqueue on a
// cancel). Inside runLeavable, and outside a deferred stretch (the reader's own allocator), the
// handler leaves the parse at once by siglongjmp; anywhere else it marks the stop, which the
// reader polls with check(). A signal of that number that is not the kit's goes on to the
// handler the host set before (or its default action).
//
//   ReadBudget budget(WebPage::limitsFor(html.size()));
//   if (!budget.runLeavable(parse, &arguments)) { free what the parse held; budget.check(); }
//   for (...) { budget.check(); budget.keep(bytes); }
//
// Limits: while its signal is blocked on the reading thread (outside a read, where the host's
// mask holds), a stop waits for the next read or is dropped; a host that takes the signal over
// after a read began leaves that read to stop at its next poll.
class ReadBudget {
  public:
    enum class Reason { none, cancelled, cpuTime, memory, kept, noMemory };

    // Arms the budget for the calling thread, which must read until the budget is destroyed.
    // Throws URLError (pageReadLimitExceeded) when the system gives no timer.
    explicit ReadBudget(const WebPage::Limits& limits);
    ~ReadBudget();
    ReadBudget(const ReadBudget&) = delete;
    ReadBudget& operator=(const ReadBudget&) = delete;

    // The real-time signal the kit directs at a reading thread.
    static int signalNumber();

    // Runs `work(argument)` so that a stop leaves it at once: false when it was left. Nothing
    // with a destructor may live in the frames it leaves (C code, or functions that hold none).
    bool runLeavable(void (*work)(void*), void* argument);
    // Between the two, inside runLeavable, a stop is only marked; resume() leaves if one was.
    void defer() noexcept;
    void resume() noexcept;
    // Inside runLeavable: marks `why`, unless a stop was marked first, and leaves.
    [[noreturn]] void leave(Reason why) noexcept;

    // Counts `bytes` more held by the parser; false when that would pass the memory limit.
    [[nodiscard]] bool take(std::size_t bytes) noexcept;
    void give(std::size_t bytes) noexcept { held_ -= bytes; }
    // Counts `bytes` more that the read keeps, against what a read page may keep and, with what
    // the parser holds, the memory limit; throws as check() does past either.
    void keep(std::size_t bytes);

    // Throws when a stop is marked: CancellationError, or URLError (pageReadLimitExceeded)
    // naming the limit met.
    void check() {
        if (reason_.load(std::memory_order_relaxed) != Reason::none) fail();
    }
    // Marks `why`, unless a stop was marked first, and throws as check() does.
    [[noreturn]] void fail(Reason why = Reason::none);

  private:
    static void onSignal(int signal, siginfo_t* info, void* context);
    void* signalValue() const noexcept;
    void mark(Reason why) noexcept;

    WebPage::Limits limits_;
    std::uint64_t sequence_;
    std::atomic<Reason> reason_{Reason::none};
    std::atomic<bool> leavable_{false};
    std::atomic<bool> deferred_{false};
    std::size_t held_ = 0;
    std::size_t kept_ = 0;
    sigjmp_buf escape_{};
    sigset_t mask_{};
    timer_t timer_{};
    ReadBudget* outer_ = nullptr;
    CancellationRegistration onCancel_;
};

}  // namespace corvend::platform::web
