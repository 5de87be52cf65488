#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace corvend::platform {

// The main thread's FIFO, driven by the host as a UI toolkit's host drives its event loop.
// Jobs posted with async() run one at a time, in order, on the driving thread, and never inline
// inside async() itself.
//
// In a child of fork made after the kit began to be made, every call but isMainThread() (false
// there) throws std::logic_error at once, before the queue's lock or its making's guard (see
// ProcessFork.hpp).
class MainQueue {
  public:
    static MainQueue& shared();  // never destroyed

    MainQueue();
    ~MainQueue();
    MainQueue(const MainQueue&) = delete;
    MainQueue& operator=(const MainQueue&) = delete;

    // Posts `job`; callable from any thread.
    void async(std::function<void()> job);

    // Runs `job` on the main thread and waits for it: inline when called on the thread that
    // drives (or last drove) this queue, posted and waited for otherwise. Rethrows what `job`
    // throws. Not cancellable. Throws std::future_error if the queue dies with `job` unrun, and
    // std::logic_error at once, `job` unrun, when called on the process's first thread while no
    // thread has ever driven this queue (the wait could never end), or in a child of fork made
    // after the kit began to be made (see ProcessFork.hpp).
    void sync(std::function<void()> job);

    // Throws the std::logic_error sync() throws at once on the process's first thread while no
    // thread has ever driven this queue (and in a child of fork, as sync() does); does nothing
    // elsewhere. For a blocking call that may need sync() only later, or not at all.
    void checkSyncCanEnd() const;

    // Drives the queue on the calling thread until stop() is called. A stop() that comes while
    // nothing drives makes the next run() return at once. An exception escaping a job
    // propagates out of the call driving the queue (run, runUntil, drain); the job is gone and
    // the rest stay queued.
    void run();
    void stop();

    // Drives the queue until `predicate` holds (checked before and after each job, and now and
    // then while idle, in case another thread changed it without posting) or `timeout` passes;
    // returns the last value of `predicate`.
    bool runUntil(const std::function<bool()>& predicate, std::chrono::milliseconds timeout);

    // Runs the jobs already queued, without waiting for more; returns how many ran.
    std::size_t drain();

    // True on the thread that drives (or last drove) the shared queue.
    static bool isMainThread();

    // Runs `whileHeld` holding the queue's lock, for tests of a child forked meanwhile.
    void holdLockForTesting(const std::function<void()>& whileHeld);

  private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace corvend::platform
