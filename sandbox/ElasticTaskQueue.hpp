#pragma once

#include <httplib.h>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace corvend::sandbox {

// The server's task queue: starts a thread whenever no thread is idle, up to `maxThreads`.
// A connection occupies its thread for as long as it stays open (idle keep-alive clients and
// held replies included), so a small fixed pool would stall new connections behind them.
class ElasticTaskQueue final : public httplib::TaskQueue {
  public:
    explicit ElasticTaskQueue(std::size_t maxThreads);
    ~ElasticTaskQueue() override;

    ElasticTaskQueue(const ElasticTaskQueue&) = delete;
    ElasticTaskQueue& operator=(const ElasticTaskQueue&) = delete;

    // Queues `task`. After `shutdown()` the task runs on the calling thread instead, so that a
    // queued connection is still closed.
    void enqueue(std::function<void()> task) override;

    // Runs every queued task, then joins every thread. Idempotent.
    void shutdown() override;

  private:
    void work();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
    std::vector<std::thread> threads_;
    std::size_t idle_ = 0;
    std::size_t maxThreads_;
    bool shuttingDown_ = false;
};

}  // namespace corvend::sandbox
