#include "platform/async/MainQueue.hpp"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <future>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <utility>

#include "platform/async/ProcessFork.hpp"

namespace corvend::platform {

namespace {

// How often runUntil() looks at its predicate when no job arrives, so a predicate flipped by
// another thread without posting is still seen well before the time-out.
constexpr std::chrono::milliseconds kPredicateRecheck{20};

// The process's first thread, the one a host drives the main queue from.
bool onInitialThread() {
    return gettid() == getpid();
}

}  // namespace

struct MainQueue::State {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::function<void()>> jobs;
    bool stopRequested = false;
    std::atomic<std::thread::id> driver{};

    // Takes the next job, or nothing when the queue is empty.
    std::function<void()> take() {
        std::lock_guard lock(mutex);
        if (jobs.empty()) return nullptr;
        auto job = std::move(jobs.front());
        jobs.pop_front();
        return job;
    }

    void drive() { driver.store(std::this_thread::get_id(), std::memory_order_release); }
};

namespace {

MainQueue& sharedQueue() {
    // Ahead of its making's guard, which a parent thread may hold at a fork.
    ProcessFork::noteKitBegun();
    // Leaked on purpose: threads may still post to it during process exit.
    static MainQueue* const queue = new MainQueue();
    return *queue;
}

}  // namespace

MainQueue& MainQueue::shared() {
    ProcessFork::checkKitUsable("MainQueue::shared");
    return sharedQueue();
}

MainQueue::MainQueue() : state_(std::make_shared<State>()) {}

MainQueue::~MainQueue() = default;

void MainQueue::async(std::function<void()> job) {
    ProcessFork::checkKitUsable("MainQueue::async");
    std::lock_guard lock(state_->mutex);
    state_->jobs.push_back(std::move(job));
    state_->changed.notify_all();
}

void MainQueue::sync(std::function<void()> job) {
    ProcessFork::checkKitUsable("MainQueue::sync");
    const auto driver = state_->driver.load(std::memory_order_acquire);
    if (driver == std::this_thread::get_id()) {
        job();
        return;
    }
    checkSyncCanEnd();
    // A job dropped unrun (the queue destroyed) breaks the promise, so the wait still ends.
    auto done = std::make_shared<std::promise<void>>();
    auto finished = done->get_future();
    async([done, job = std::move(job)] {
        try {
            job();
            done->set_value();
        } catch (...) {
            done->set_exception(std::current_exception());
        }
    });
    finished.get();
}

void MainQueue::checkSyncCanEnd() const {
    ProcessFork::checkKitUsable("MainQueue::checkSyncCanEnd");
    // Waiting would never end: the thread that is to drive the queue is the one waiting.
    if (state_->driver.load(std::memory_order_acquire) == std::thread::id() && onInitialThread()) {
        throw std::logic_error(
            "MainQueue::sync on the main thread before the main queue was ever driven: drive it "
            "with run() and make blocking calls from another thread");
    }
}

void MainQueue::run() {
    ProcessFork::checkKitUsable("MainQueue::run");
    state_->drive();
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(state_->mutex);
            state_->changed.wait(lock,
                                 [&] { return !state_->jobs.empty() || state_->stopRequested; });
            if (state_->stopRequested) {
                state_->stopRequested = false;
                return;
            }
            job = std::move(state_->jobs.front());
            state_->jobs.pop_front();
        }
        job();
    }
}

void MainQueue::stop() {
    ProcessFork::checkKitUsable("MainQueue::stop");
    std::lock_guard lock(state_->mutex);
    state_->stopRequested = true;
    state_->changed.notify_all();
}

bool MainQueue::runUntil(const std::function<bool()>& predicate,
                         std::chrono::milliseconds timeout) {
    ProcessFork::checkKitUsable("MainQueue::runUntil");
    state_->drive();
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (predicate()) return true;
        std::function<void()> job;
        {
            std::unique_lock lock(state_->mutex);
            const auto until =
                std::min(deadline, std::chrono::steady_clock::now() + kPredicateRecheck);
            state_->changed.wait_until(lock, until, [&] { return !state_->jobs.empty(); });
            if (!state_->jobs.empty()) {
                job = std::move(state_->jobs.front());
                state_->jobs.pop_front();
            }
        }
        if (job) {
            job();
        } else if (std::chrono::steady_clock::now() >= deadline) {
            return predicate();
        }
    }
}

std::size_t MainQueue::drain() {
    ProcessFork::checkKitUsable("MainQueue::drain");
    state_->drive();
    std::size_t queued = 0;
    {
        std::lock_guard lock(state_->mutex);
        queued = state_->jobs.size();
    }
    std::size_t ran = 0;
    while (ran < queued) {
        auto job = state_->take();
        if (!job) break;  // a nested drive ran it already
        ++ran;
        job();
    }
    return ran;
}

void MainQueue::holdLockForTesting(const std::function<void()>& whileHeld) {
    ProcessFork::checkKitUsable("MainQueue::holdLockForTesting");
    std::lock_guard lock(state_->mutex);
    whileHeld();
}

bool MainQueue::isMainThread() {
    // Nothing drives the queue in such a child, and its making may have been under way at the
    // fork.
    if (ProcessFork::forkedAfterKitBegan()) return false;
    return sharedQueue().state_->driver.load(std::memory_order_acquire) ==
           std::this_thread::get_id();
}

}  // namespace corvend::platform
