#include "platform/async/DispatchGroup.hpp"

#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/async/TaskPool.hpp"

namespace corvend::platform {

struct DispatchGroup::State {
    std::mutex mutex;
    std::condition_variable empty;
    std::size_t outstanding = 0;
    std::vector<std::function<void()>> notifications;
};

DispatchGroup::DispatchGroup() : state_(std::make_shared<State>()) {}

void DispatchGroup::enter() {
    std::lock_guard lock(state_->mutex);
    ++state_->outstanding;
}

void DispatchGroup::leave() {
    std::vector<std::function<void()>> ready;
    {
        std::lock_guard lock(state_->mutex);
        // An unbalanced leave would wrap the count and hide every later completion.
        if (state_->outstanding == 0) {
            throw std::logic_error("DispatchGroup::leave without a matching enter");
        }
        if (--state_->outstanding != 0) return;
        ready.swap(state_->notifications);
        state_->empty.notify_all();
    }
    for (auto& job : ready) TaskPool::shared().submit(std::move(job));
}

void DispatchGroup::wait() {
    std::unique_lock lock(state_->mutex);
    state_->empty.wait(lock, [&] { return state_->outstanding == 0; });
}

void DispatchGroup::notify(std::function<void()> job) {
    {
        std::lock_guard lock(state_->mutex);
        if (state_->outstanding != 0) {
            state_->notifications.push_back(std::move(job));
            return;
        }
    }
    TaskPool::shared().submit(std::move(job));
}

}  // namespace corvend::platform
