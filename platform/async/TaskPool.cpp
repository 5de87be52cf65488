#include "platform/async/TaskPool.hpp"

#include <condition_variable>
#include <deque>
#include <exception>
#include <map>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "platform/async/ProcessFork.hpp"

namespace corvend::platform {

struct TaskPool::State : std::enable_shared_from_this<State> {
    State(std::chrono::milliseconds limit, bool detach) : idleLimit(limit), detachWorkers(detach) {}

    const std::chrono::milliseconds idleLimit;
    const bool detachWorkers;

    mutable std::mutex mutex;
    std::condition_variable workAvailable;
    mutable std::condition_variable countChanged;
    std::deque<std::function<void()>> jobs;
    std::size_t threads = 0;
    std::size_t idle = 0;
    bool stopping = false;
    // Joinable workers of an owned pool; retired ones wait in `retired` to be joined.
    std::map<std::thread::id, std::thread> running;
    std::vector<std::thread> retired;

    // Called with the lock held.
    void spawn() {
        // Noted first, so that a child forked while the thread starts knows of it.
        ProcessFork::noteKitBegun();
        std::thread worker([self = shared_from_this()] { self->work(); });
        ++threads;
        countChanged.notify_all();
        if (detachWorkers) {
            worker.detach();
        } else {
            const auto id = worker.get_id();
            running.emplace(id, std::move(worker));
        }
    }

    void work() {
        std::unique_lock lock(mutex);
        for (;;) {
            if (jobs.empty()) {
                if (stopping) break;
                ++idle;
                countChanged.notify_all();
                const auto deadline = std::chrono::steady_clock::now() + idleLimit;
                const bool woke = workAvailable.wait_until(
                    lock, deadline, [&] { return !jobs.empty() || stopping; });
                --idle;
                countChanged.notify_all();
                // Checked again under the lock: a job queued just as the wait timed out is ours.
                if (!woke && jobs.empty()) break;
                continue;
            }
            std::function<void()> job = std::move(jobs.front());
            jobs.pop_front();
            lock.unlock();
            run(job);
            job = nullptr;  // captured state goes before the thread counts as idle
            lock.lock();
        }
        --threads;
        if (!detachWorkers) {
            auto self = running.find(std::this_thread::get_id());
            if (self != running.end()) {
                retired.push_back(std::move(self->second));
                running.erase(self);
            }
        }
        countChanged.notify_all();
    }

    // An exception escaping a job ends the process, as it would on a plain thread.
    static void run(const std::function<void()>& job) noexcept { job(); }
};

TaskPool& TaskPool::shared() {
    // Ahead of its making's guard, which a parent thread may hold at a fork.
    ProcessFork::noteKitBegun();
    // Leaked on purpose: detached workers may still run after static destruction begins.
    static TaskPool* const pool = new TaskPool(std::chrono::seconds(5), true);
    return *pool;
}

TaskPool::TaskPool(std::chrono::milliseconds idleLimit) : TaskPool(idleLimit, false) {}

TaskPool::TaskPool(std::chrono::milliseconds idleLimit, bool detachWorkers)
    : state_(std::make_shared<State>(idleLimit, detachWorkers)) {}

TaskPool::~TaskPool() {
    if (state_->detachWorkers) return;
    {
        std::lock_guard lock(state_->mutex);
        state_->stopping = true;
        state_->workAvailable.notify_all();
    }
    // Queued jobs still run; a job may queue more, so join until no worker is left.
    for (;;) {
        std::vector<std::thread> toJoin;
        {
            std::lock_guard lock(state_->mutex);
            toJoin.swap(state_->retired);
            for (auto& [id, thread] : state_->running) toJoin.push_back(std::move(thread));
            state_->running.clear();
        }
        if (toJoin.empty()) break;
        for (auto& thread : toJoin) thread.join();
    }
}

void TaskPool::submit(std::function<void()> job) {
    ProcessFork::checkKitUsable("TaskPool::submit");
    std::vector<std::thread> retired;
    std::exception_ptr failure;
    {
        std::lock_guard lock(state_->mutex);
        retired.swap(state_->retired);
        state_->jobs.push_back(std::move(job));
        // Idle workers already woken for earlier jobs are still counted idle until they take
        // one, so a queue longer than the idle count means no worker is free for this job.
        if (state_->jobs.size() > state_->idle) {
            try {
                state_->spawn();
            } catch (...) {
                // Without any worker the job would never run: give it back to the caller.
                if (state_->threads == 0) {
                    state_->jobs.pop_back();
                    failure = std::current_exception();
                }
            }
        }
        state_->workAvailable.notify_one();
    }
    for (auto& thread : retired) thread.join();
    if (failure) std::rethrow_exception(failure);
}

std::size_t TaskPool::threadCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->threads;
}

std::size_t TaskPool::idleThreadCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->idle;
}

bool TaskPool::waitForThreadCount(std::size_t atMost, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(state_->mutex);
    return state_->countChanged.wait_for(lock, timeout, [&] { return state_->threads <= atMost; });
}

bool TaskPool::waitUntilIdle(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(state_->mutex);
    return state_->countChanged.wait_for(
        lock, timeout, [&] { return state_->jobs.empty() && state_->idle == state_->threads; });
}

}  // namespace corvend::platform
