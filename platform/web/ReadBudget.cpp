#include "platform/web/ReadBudget.hpp"

#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <mutex>
#include <string>

#include "platform/async/CancellationError.hpp"
#include "platform/http/URLError.hpp"

namespace corvend::platform::web {

namespace {

// The kit's signals carry this in the high bits of their value and a read's sequence number in
// the rest: a signal from a read that has ended is told apart from the read under way.
constexpr std::uintptr_t kTag = std::uintptr_t{0xC0F1} << 48;
constexpr std::uintptr_t kSequenceBits = (std::uintptr_t{1} << 48) - 1;

std::atomic<std::uint64_t> gReads{0};
// The read armed on this thread; initial-exec so that the handler's access never allocates.
[[gnu::tls_model("initial-exec")]] thread_local ReadBudget* tReading = nullptr;

// What the signal did before the kit took it, for the handler to pass the host's signals on
// to. Each action taken over is kept for the process's life: a handler may still be reading an
// earlier one.
std::mutex gInstalling;
std::deque<struct sigaction> gTakenOver;
std::atomic<const struct sigaction*> gPrevious{nullptr};

void passOn(int signal, siginfo_t* info, void* context) {
    const struct sigaction* previous = gPrevious.load();
    if (!previous || previous->sa_handler == SIG_IGN) return;
    if (previous->sa_flags & SA_SIGINFO) {
        previous->sa_sigaction(signal, info, context);
    } else if (previous->sa_handler == SIG_DFL) {
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

std::string sizeText(std::size_t bytes) {
    constexpr std::size_t kMiB = std::size_t{1} << 20;
    if (bytes < kMiB) return std::to_string((bytes + 1023) >> 10) + " KiB";
    return std::to_string((bytes + kMiB - 1) >> 20) + " MiB";
}

}  // namespace

int ReadBudget::signalNumber() {
    return SIGRTMAX - 4;
}

void ReadBudget::onSignal(int signal, siginfo_t* info, void* context) {
    const auto value = reinterpret_cast<std::uintptr_t>(info->si_value.sival_ptr);
    const bool kits = (info->si_code == SI_TIMER || info->si_code == SI_QUEUE) &&
                      (value & ~kSequenceBits) == kTag;
    if (!kits) return passOn(signal, info, context);
    ReadBudget* read = tReading;
    if (!read || read->sequence_ != (value & kSequenceBits)) return;  // a read that has ended
    read->mark(info->si_code == SI_TIMER ? Reason::cpuTime : Reason::cancelled);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    if (read->leavable_.load(std::memory_order_relaxed) &&
        !read->deferred_.load(std::memory_order_relaxed)) {
        siglongjmp(read->escape_, 1);
    }
}

ReadBudget::ReadBudget(const WebPage::Limits& limits)
    : limits_(limits), sequence_(++gReads & kSequenceBits) {
    const int signal = signalNumber();
    {
        // Taken again whenever someone else took it since: their handler goes on getting what
        // is not the kit's.
        const std::lock_guard lock(gInstalling);
        struct sigaction current {};
        sigaction(signal, nullptr, &current);
        if (!(current.sa_flags & SA_SIGINFO) || current.sa_sigaction != &ReadBudget::onSignal) {
            gPrevious.store(&gTakenOver.emplace_back(current));
            struct sigaction ours {};
            ours.sa_sigaction = &ReadBudget::onSignal;
            ours.sa_flags = SA_SIGINFO | SA_RESTART;
            sigemptyset(&ours.sa_mask);
            sigaction(signal, &ours, nullptr);
        }
    }
    // First: should what follows throw, the member unregisters it again.
    onCancel_ = onCancel([this, thread = pthread_self()] {
        mark(Reason::cancelled);
        sigval value{};
        value.sival_ptr = signalValue();
        pthread_sigqueue(thread, signalNumber(), value);
    });
    sigevent event{};
    event.sigev_notify = SIGEV_THREAD_ID;
    event.sigev_signo = signal;
    event.sigev_value.sival_ptr = signalValue();
    event._sigev_un._tid = gettid();
    if (timer_create(CLOCK_THREAD_CPUTIME_ID, &event, &timer_) != 0) {
        throw URLError(URLError::Code::pageReadLimitExceeded,
                       "there is not enough memory to read the page");
    }
    outer_ = std::exchange(tReading, this);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    pthread_sigmask(SIG_UNBLOCK, &only, &mask_);
    // The timer goes off at the scheduler's next tick past the time: none spent already.
    if (limits_.cpuTime <= std::chrono::nanoseconds::zero()) mark(Reason::cpuTime);
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(limits_.cpuTime);
    itimerspec expiry{};
    expiry.it_value.tv_sec = static_cast<time_t>(seconds.count());
    expiry.it_value.tv_nsec = static_cast<long>((limits_.cpuTime - seconds).count());
    timer_settime(timer_, 0, &expiry, nullptr);
}

ReadBudget::~ReadBudget() {
    // Once the handler has returned and the timer is gone, no new signal of this read is sent;
    // one still on its way finds no read, or another read's sequence, and is dropped.
    onCancel_.reset();
    timer_delete(timer_);
    tReading = outer_;
    pthread_sigmask(SIG_SETMASK, &mask_, nullptr);
}

void* ReadBudget::signalValue() const noexcept {
    return reinterpret_cast<void*>(kTag | sequence_);
}

void ReadBudget::mark(Reason why) noexcept {
    Reason none = Reason::none;
    reason_.compare_exchange_strong(none, why);
}

bool ReadBudget::runLeavable(void (*work)(void*), void* argument) {
    if (sigsetjmp(escape_, 1) != 0) {
        leavable_.store(false, std::memory_order_relaxed);
        deferred_.store(false, std::memory_order_relaxed);
        return false;
    }
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
    if (bytes > limits_.memoryBytes - std::min(held_ + kept_, limits_.memoryBytes)) return false;
    held_ += bytes;
    return true;
}

void ReadBudget::keep(std::size_t bytes) {
    const std::size_t kept = kept_ + bytes;
    if (kept > limits_.keptBytes) mark(Reason::kept);
    if (kept > limits_.memoryBytes - std::min(held_, limits_.memoryBytes)) mark(Reason::memory);
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
