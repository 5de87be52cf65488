#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>

namespace corvend::platform {

// The shared concurrent pool behind tasks and serial queues. Jobs may block waiting on other
// jobs, so the pool starts a new thread whenever a job is submitted while every thread is busy
// (a fixed-size pool would deadlock); threads idle for longer than the idle limit retire.
class TaskPool {
  public:
    // The process-wide pool. Never destroyed: its threads may still be running at exit.
    static TaskPool& shared();

    explicit TaskPool(std::chrono::milliseconds idleLimit = std::chrono::seconds(5));
    ~TaskPool();  // waits for running jobs; only for pools owned by tests
    TaskPool(const TaskPool&) = delete;
    TaskPool& operator=(const TaskPool&) = delete;

    // Queues `job`. An exception escaping a job terminates the process, as on any thread. Throws
    // std::logic_error, `job` unqueued, in a child of fork made after the kit began to be made
    // (see ProcessFork.hpp).
    void submit(std::function<void()> job);

    std::size_t threadCount() const;
    std::size_t idleThreadCount() const;

    // Waits until at most `atMost` threads are left (idle ones retire after the idle limit), or
    // `timeout` passes; returns whether the count got there. These waits let tests observe the
    // pool without sleeping.
    bool waitForThreadCount(std::size_t atMost, std::chrono::milliseconds timeout) const;
    // Waits until no job is queued or running, or `timeout` passes; returns whether that came.
    bool waitUntilIdle(std::chrono::milliseconds timeout) const;

  private:
    TaskPool(std::chrono::milliseconds idleLimit, bool detachWorkers);

    struct State;
    std::shared_ptr<State> state_;  // worker threads share it, so it outlives a detached worker
};

}  // namespace corvend::platform
