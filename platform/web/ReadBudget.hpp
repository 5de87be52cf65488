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
// the parser is.
//
// A read stops when its task is cancelled, when the thread has spent its CPU time, or when it
// would hold more memory than its limits allow. Gumbo can work for minutes without calling the
// reader back (text under thousands of open elements makes it scan them all per character), so
// the cancel and the CPU time cannot wait for a call: both reach the reading thread as a signal
// directed at it (signalNumber(): a timer on the thread's CPU clock, and pthread_sigqueue on a
// cancel). The handler leaves the parse by siglongjmp only when the instruction it interrupted
// is the parser's own code (runLeavable's `parser`), so never out of the C library, the dynamic
// linker, the reader's allocator or another signal handler; anywhere else it marks the stop and
// has a second timer, on the monotonic clock, signal the thread again 1-2 ms later (not on the
// CPU clock, whose timers all fall due at the scheduler's tick: a host's CPU profiler's handler
// would be running there each time). Beneath the signal, the reader's allocator polls the stop
// and the CPU clock (poll()), so a stop is never lost.
//
//   ReadBudget budget(WebPage::limitsFor(html.size()));
//   if (!budget.runLeavable(parse, &arguments, parser)) { free what it held; budget.check(); }
//   for (...) { budget.check(); budget.keep(bytes); }
//
// The signal: each copy of the kit in a process recognises only its own (by the value they
// carry) and passes any other on to the handler it replaced, learned in the same call that took
// the signal, so that copies taking it at once still pass each other's on. A copy takes the
// signal at its first read, and again whenever it finds the default action or ignore set; a
// handler set after that (by the host, or another copy) stays. A signal sent by a copy of the
// kit (its timer, or its queue in this process) never goes on to the default action: it is
// dropped, and that copy's read stops at the parser's next allocation.
//
// What holds short of the signal. A read stops at the parser's next allocation, not at once
// (a cancel at once there, the CPU time within milliseconds of it), when: the host has set its own
// handler since the kit took the signal and does not pass the kit's signals on; the host has set
// the default action again and another copy of the kit took the signal back; or the parser's code
// cannot be told from the kit's (Gumbo linked into the same object as the kit, as a static host
// does). On text under deep nesting the parser's next allocation can be minutes of CPU time away.
// While the signal is blocked on the reading thread (outside a read, where the host's mask holds)
// a stop waits for the next read, which drops it.
class ReadBudget {
  public:
    enum class Reason { none, cancelled, cpuTime, memory, kept, noMemory };

    // Where some object's machine code lies in memory.
    struct Code {
        std::uintptr_t begin = 0;
        std::uintptr_t end = 0;
        bool holds(std::uintptr_t address) const noexcept {
            return address >= begin && address < end;
        }
    };
    // The code of the loaded object that holds `function`; empty when that object holds the
    // kit's own code too.
    static Code codeOf(const void* function);

    // Arms the budget for the calling thread, which must read until the budget is destroyed.
    // Throws URLError (pageReadLimitExceeded) when the system gives no timer.
    explicit ReadBudget(const WebPage::Limits& limits);
    ~ReadBudget();
    ReadBudget(const ReadBudget&) = delete;
    ReadBudget& operator=(const ReadBudget&) = delete;

    // The real-time signal the kit directs at a reading thread.
    static int signalNumber();

    // Runs `work(argument)` so that a stop leaves it from `parser`'s code: false when it was
    // left. Nothing with a destructor may live in the frames it leaves (C code, or functions that
    // hold none).
    bool runLeavable(void (*work)(void*), void* argument, const Code& parser);
    // Around each call of the parser into the reader. Between the two a stop is only marked;
    // resume() leaves if one was, or if poll() finds the CPU time spent.
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
    void mark(Reason why) noexcept;
    // Marks the CPU time once the thread has spent it.
    void poll() noexcept;

    WebPage::Limits limits_;
    std::uint16_t sequence_;
    void* signalValue_;  // what its signals carry: made on the reading thread
    std::atomic<Reason> reason_{Reason::none};
    std::atomic<bool> leavable_{false};
    std::atomic<bool> deferred_{false};
    Code parser_;
    std::size_t held_ = 0;
    std::size_t kept_ = 0;
    unsigned calls_ = 0;   // calls into the reader since the last poll
    timespec nextPoll_{};  // on the coarse monotonic clock: when the CPU clock is read again
    timespec deadline_{};  // on the thread's CPU clock
    sigjmp_buf escape_{};
    sigset_t mask_{};
    timer_t timer_{};  // the CPU time: on the thread's CPU clock
    timer_t again_{};  // a stop tried again: on the monotonic clock
    std::atomic<std::uint64_t> tries_{0};
    ReadBudget* outer_ = nullptr;
    CancellationRegistration onCancel_;
};

}  // namespace corvend::platform::web
