#include "ElasticTaskQueue.hpp"

#include <algorithm>

namespace corvend::sandbox {

ElasticTaskQueue::ElasticTaskQueue(std::size_t maxThreads)
    : maxThreads_(std::max<std::size_t>(maxThreads, 1)) {}

ElasticTaskQueue::~ElasticTaskQueue() {
    shutdown();
}

void ElasticTaskQueue::enqueue(std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        if (!shuttingDown_) {
            tasks_.push_back(std::move(task));
            if (tasks_.size() > idle_ && threads_.size() < maxThreads_) {
                threads_.emplace_back([this] { work(); });
            }
            wake_.notify_one();
            return;
        }
    }
    task();
}

void ElasticTaskQueue::shutdown() {
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(mutex_);
        shuttingDown_ = true;
        threads.swap(threads_);
    }
    wake_.notify_all();
    for (auto& thread : threads) thread.join();
}

void ElasticTaskQueue::work() {
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(mutex_);
            ++idle_;
            wake_.wait(lock, [&] { return !tasks_.empty() || shuttingDown_; });
            --idle_;
            if (tasks_.empty()) return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
}

}  // namespace corvend::sandbox
