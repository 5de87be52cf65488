#include "platform/web/ReadBudget.hpp"

#include <link.h>
#include <pthread.h>
#include <ucontext.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <deque>
#include <mutex>
#include <string>

#include "platform/async/CancellationError.hpp"
#include "platform/http/URLError.hpp"

namespace corvend::platform::web {

namespace {

// The kit's signals carry, below this bit, the address of this copy's slot for the reading
// thread, and above it that thread's read number: each copy of the kit knows its own signals,
// and a signal from a read that has ended is told apart from the read under way.
constexpr unsigned kSequenceShift = 48;
constexpr std::uintptr_t kAddressBits = (std::uintptr_t{1} << kSequenceShift) - 1;
// How soon a stop that could not leave where it landed is tried again: on the monotonic clock,
// which is not bound to the scheduler's tick as the CPU clocks are, so that the next try does
// not land in the handler of a host's CPU timer due at the same tick; spread over a further
// millisecond so that no period of the host's falls on it try after try.
constexpr long kAgainNanoseconds = 1'000'000;
constexpr std::uint64_t kAgainSpread = 1'000'000;
constexpr std::uint64_t kAgainStep = 618'034;  // a golden share: tries spread evenly over it
// What the read keeps counts this many times against the memory limit: once, and as much again
// twice for the copies a growing text makes (a buffer and its double, at once).
constexpr std::size_t kGrowth = 3;
// Calls into the reader between two looks at the coarse clock (a read of memory), and the time
// between two readings of the CPU clock (a system call).
constexpr unsigned kCallsPerPoll = 16;
constexpr long kPollNanoseconds = 2'000'000;

// The read armed on this thread, and how many this thread began; initial-exec so that the
// handler's access never allocates. A signal of an ended read is delivered at the latest as the
// thread's next read unblocks the signal, so a count that wraps tells them apart.
[[gnu::tls_model("initial-exec")]] thread_local ReadBudget* tReading = nullptr;
[[gnu::tls_model("initial-exec")]] thread_local std::uint16_t tReads = 0;

std::uintptr_t ownSlot() noexcept {
    return reinterpret_cast<std::uintptr_t>(&tReading) & kAddressBits;
}

// What the signal did before the kit took it, for the handler to pass the host's signals on
// to. Each action taken over is kept for the process's life: a handler may still be reading an
// earlier one.
std::mutex gInstalling;
std::deque<struct sigaction> gTakenOver;
std::atomic<const struct sigaction*> gPrevious{nullptr};
// The thread that is taking the signal, between the call that takes it and the record of what
// it replaced.
std::atomic<pid_t> gTaking{0};

void passOn(int signal, siginfo_t* info, void* context) {
    // Taken a moment ago on another thread: what it replaced is being recorded.
    const pid_t taking = gTaking.load();
    if (taking != 0 && taking != gettid()) {
        while (gTaking.load() != 0) {
        }
    }
    const struct sigaction* previous = gPrevious.load();
    if (!previous || previous->sa_handler == SIG_IGN) return;
    if (previous->sa_flags & SA_SIGINFO) {
        previous->sa_sigaction(signal, info, context);
    } else if (previous->sa_handler == SIG_DFL) {
        // Another copy's (a timer or a queue of this process): the default action would end the
        // process for a read that polls its stop at its allocations anyway.
        if (info->si_code == SI_TIMER || (info->si_code == SI_QUEUE && info->si_pid == getpid())) {
            return;
        }
        // The default action, as if the kit had never taken the signal: delivered once this
        // handler returns and unblocks it.
        struct sigaction standard {};
        standard.sa_handler = SIG_DFL;
        sigaction(signal, &standard, nullptr);
        raise(signal);
    } else {
        previous->sa_handler(signal);
    }
}

// The instruction a signal interrupted; 0 where the machine is not known (a stop then leaves
// only from the reader's allocator).
std::uintptr_t interruptedAt(const void* context) noexcept {
    const auto& machine = static_cast<const ucontext_t*>(context)->uc_mcontext;
#if defined(__x86_64__)
    return static_cast<std::uintptr_t>(machine.gregs[REG_RIP]);
#elif defined(__aarch64__)
    return static_cast<std::uintptr_t>(machine.pc);
#else
    (void)machine;
    return 0;
#endif
}

bool operator>=(const timespec& a, const timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec >= b.tv_nsec;
}

std::string sizeText(std::size_t bytes) {
    constexpr std::size_t kMiB = std::size_t{1} << 20;
    if (bytes < kMiB) return std::to_string((bytes + 1023) >> 10) + " KiB";
    return std::to_string((bytes + kMiB - 1) >> 20) + " MiB";
}

}  // namespace

ReadBudget::Code ReadBudget::codeOf(const void* function) {
    struct Search {
        std::uintptr_t function;
        Code code;
    } search{reinterpret_cast<std::uintptr_t>(function), {}};
    dl_iterate_phdr(
        [](dl_phdr_info* object, std::size_t, void* data) {
            auto& search = *static_cast<Search*>(data);
            Code code{~std::uintptr_t{0}, 0};
            bool holds = false;
            for (int i = 0; i < object->dlpi_phnum; ++i) {
                const ElfW(Phdr)& segment = object->dlpi_phdr[i];
                if (segment.p_type != PT_LOAD) continue;
                const std::uintptr_t begin = object->dlpi_addr + segment.p_vaddr;
                const Code loaded{begin, begin + segment.p_memsz};
                holds = holds || loaded.holds(search.function);
                if (!(segment.p_flags & PF_X)) continue;
                code.begin = std::min(code.begin, loaded.begin);
                code.end = std::max(code.end, loaded.end);
            }
            if (!holds) return 0;
            search.code = code;
            return 1;
        },
        &search);
    if (search.code.holds(reinterpret_cast<std::uintptr_t>(&ReadBudget::onSignal))) return {};
    return search.code;
}

int ReadBudget::signalNumber() {
    return SIGRTMAX - 4;
}

void ReadBudget::onSignal(int signal, siginfo_t* info, void* context) {
    const auto value = reinterpret_cast<std::uintptr_t>(info->si_value.sival_ptr);
    const bool kits = (info->si_code == SI_TIMER || info->si_code == SI_QUEUE) &&
                      (value & kAddressBits) == ownSlot();
    if (!kits) return passOn(signal, info, context);
    ReadBudget* read = tReading;
    if (!read || read->sequence_ != (value >> kSequenceShift)) return;  // a read that has ended
    const int error = errno;
    read->mark(info->si_code == SI_TIMER ? Reason::cpuTime : Reason::cancelled);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    if (!read->leavable_.load(std::memory_order_relaxed)) return;  // the walk polls the mark
    // Only out of the parser's own code: anywhere else (the C library, the dynamic linker, the
    // reader's allocator, a handler this one interrupted) leaving could take a lock with it.
    if (!read->deferred_.load(std::memory_order_relaxed) &&
        read->parser_.holds(interruptedAt(context))) {
        siglongjmp(read->escape_, 1);
    }
    const std::uint64_t tries = read->tries_.fetch_add(1, std::memory_order_relaxed);
    itimerspec again{};
    again.it_value.tv_nsec =
        kAgainNanoseconds + static_cast<long>(tries * kAgainStep % kAgainSpread);
    timer_settime(read->again_, 0, &again, nullptr);
    errno = error;
}

ReadBudget::ReadBudget(const WebPage::Limits& limits)
    : limits_(limits),
      sequence_(++tReads),
      signalValue_(
          reinterpret_cast<void*>(ownSlot() | (std::uintptr_t{sequence_} << kSequenceShift))) {
    const int signal = signalNumber();
    {
        // Taken at this copy's first read, and again whenever the default action or ignore
        // stands: a handler set since (the host's, another copy's) stays, so that no two copies
        // pass each other's signals on in a circle.
        static bool taken = false;
        const std::lock_guard lock(gInstalling);
        struct sigaction current {};
        sigaction(signal, nullptr, &current);
        const bool ours =
            (current.sa_flags & SA_SIGINFO) && current.sa_sigaction == &ReadBudget::onSignal;
        const bool vacant = !(current.sa_flags & SA_SIGINFO) &&
                            (current.sa_handler == SIG_DFL || current.sa_handler == SIG_IGN);
        if (!ours && (!taken || vacant)) {
            struct sigaction kits {};
            kits.sa_sigaction = &ReadBudget::onSignal;
            kits.sa_flags = SA_SIGINFO | SA_RESTART;
            sigemptyset(&kits.sa_mask);
            // Taken, and what it replaced learned, in one call: another copy may have taken the
            // signal since `current` was read, and this one then passes that copy's signals on.
            struct sigaction& replaced = gTakenOver.emplace_back();
            gTaking.store(gettid());
            sigaction(signal, &kits, &replaced);
            gPrevious.store(&replaced);
            gTaking.store(0);
            taken = true;
        }
    }
    // First: should what follows throw, the member unregisters it again.
    onCancel_ = onCancel([this, thread = pthread_self()] {
        mark(Reason::cancelled);
        sigval value{};
        value.sival_ptr = signalValue_;
        pthread_sigqueue(thread, signalNumber(), value);
    });
    sigevent event{};
    event.sigev_notify = SIGEV_THREAD_ID;
    event.sigev_signo = signal;
    event.sigev_value.sival_ptr = signalValue_;
    event._sigev_un._tid = gettid();
    bool timed = timer_create(CLOCK_THREAD_CPUTIME_ID, &event, &timer_) == 0;
    if (timed && timer_create(CLOCK_MONOTONIC, &event, &again_) != 0) {
        timer_delete(timer_);
        timed = false;
    }
    if (!timed) {
        throw URLError(URLError::Code::pageReadLimitExceeded,
                       "the system gave no timer to bound the page's read");
    }
    outer_ = std::exchange(tReading, this);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    pthread_sigmask(SIG_UNBLOCK, &only, &mask_);
    // The timer goes off at the scheduler's next tick past the time: none spent already.
    if (limits_.cpuTime <= std::chrono::nanoseconds::zero()) mark(Reason::cpuTime);
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &deadline_);
    const auto spendable = std::max(limits_.cpuTime, std::chrono::nanoseconds::zero());
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(spendable);
    deadline_.tv_sec += static_cast<time_t>(seconds.count());
    deadline_.tv_nsec += static_cast<long>((spendable - seconds).count());
    if (deadline_.tv_nsec >= 1'000'000'000) {
        deadline_.tv_nsec -= 1'000'000'000;
        ++deadline_.tv_sec;
    }
    itimerspec expiry{};
    expiry.it_value = deadline_;
    timer_settime(timer_, TIMER_ABSTIME, &expiry, nullptr);
}

ReadBudget::~ReadBudget() {
    // Once the handler has returned and the timer is gone, no new signal of this read is sent;
    // one still on its way finds no read, or another read's sequence, and is dropped.
    onCancel_.reset();
    timer_delete(timer_);
    timer_delete(again_);
    tReading = outer_;
    pthread_sigmask(SIG_SETMASK, &mask_, nullptr);
}

void ReadBudget::mark(Reason why) noexcept {
    Reason none = Reason::none;
    reason_.compare_exchange_strong(none, why);
}

void ReadBudget::poll() noexcept {
    // A thread spends no more CPU time than passes: the CPU clock read once in a while of the
    // monotonic clock still finds the time spent within that while.
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    if (!(now >= nextPoll_)) return;
    nextPoll_ = now;
    nextPoll_.tv_nsec += kPollNanoseconds;
    if (nextPoll_.tv_nsec >= 1'000'000'000) {
        nextPoll_.tv_nsec -= 1'000'000'000;
        ++nextPoll_.tv_sec;
    }
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    if (now >= deadline_) mark(Reason::cpuTime);
}

bool ReadBudget::runLeavable(void (*work)(void*), void* argument, const Code& parser) {
    if (sigsetjmp(escape_, 1) != 0) {
        leavable_.store(false, std::memory_order_relaxed);
        deferred_.store(false, std::memory_order_relaxed);
        return false;
    }
    parser_ = parser;
    leavable_.store(true, std::memory_order_relaxed);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    // A stop marked before the handler could leave.
    if (reason_.load(std::memory_order_relaxed) != Reason::none) siglongjmp(escape_, 1);
    work(argument);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    leavable_.store(false, std::memory_order_relaxed);
    return true;
}

void ReadBudget::defer() noexcept {
    deferred_.store(true, std::memory_order_relaxed);
    std::atomic_signal_fence(std::memory_order_seq_cst);
}

void ReadBudget::resume() noexcept {
    // Beneath the signal: a stop whose signal someone else's handler took still ends the read.
    if (++calls_ == kCallsPerPoll) {
        calls_ = 0;
        poll();
    }
    std::atomic_signal_fence(std::memory_order_seq_cst);
    deferred_.store(false, std::memory_order_relaxed);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    if (reason_.load(std::memory_order_relaxed) != Reason::none) siglongjmp(escape_, 1);
}

void ReadBudget::leave(Reason why) noexcept {
    mark(why);
    siglongjmp(escape_, 1);
}

bool ReadBudget::take(std::size_t bytes) noexcept {
    if (bytes > limits_.memoryBytes - std::min(held_ + kGrowth * kept_, limits_.memoryBytes)) {
        return false;
    }
    held_ += bytes;
    return true;
}

void ReadBudget::keep(std::size_t bytes) {
    const std::size_t kept = kept_ + bytes;
    if (kept > limits_.keptBytes) mark(Reason::kept);
    if (kept > (limits_.memoryBytes - std::min(held_, limits_.memoryBytes)) / kGrowth) {
        mark(Reason::memory);
    }
    kept_ = kept;
    check();
}

void ReadBudget::fail(Reason why) {
    if (why != Reason::none) mark(why);
    switch (reason_.load()) {
        case Reason::cancelled:
            throw CancellationError();
        case Reason::cpuTime:
            throw URLError(
                URLError::Code::pageReadLimitExceeded,
                "the page takes more than " +
                    std::to_string(
                        std::chrono::duration_cast<std::chrono::seconds>(limits_.cpuTime).count()) +
                    " s of CPU time to read");
        case Reason::kept:
            throw URLError(URLError::Code::pageReadLimitExceeded,
                           "the page's text and links take more than " +
                               sizeText(limits_.keptBytes) + " to keep");
        case Reason::noMemory:
            throw URLError(URLError::Code::pageReadLimitExceeded,
                           "there is not enough memory to read the page");
        case Reason::memory:
        case Reason::none:
            break;
    }
    throw URLError(
        URLError::Code::pageReadLimitExceeded,
        "the page takes more than " + sizeText(limits_.memoryBytes) + " of memory to read");
}

}  // namespace corvend::platform::web
