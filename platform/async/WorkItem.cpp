#include "platform/async/WorkItem.hpp"

#include <condition_variable>
#include <mutex>
#include <utility>

namespace corvend::platform {

struct WorkItem::State {
    enum class Phase { pending, running, done };

    std::mutex mutex;
    std::condition_variable ended;
    std::function<void()> block;
    Phase phase = Phase::pending;
    bool cancelled = false;

    // Marks the item done; waiters may go as soon as the lock is released.
    void finish() {
        std::lock_guard lock(mutex);
        phase = Phase::done;
        ended.notify_all();
    }
};

WorkItem::WorkItem(std::function<void()> block) : state_(std::make_shared<State>()) {
    state_->block = std::move(block);
}

void WorkItem::perform() {
    std::function<void()> block;
    {
        std::lock_guard lock(state_->mutex);
        if (state_->phase != State::Phase::pending) return;
        state_->phase = State::Phase::running;
        block = std::move(state_->block);
    }
    // Done even if the block throws, so a waiter is never stranded.
    struct Finish {
        State& state;
        std::function<void()>& block;
        ~Finish() {
            block = nullptr;  // captured state goes before waiters are released
            state.finish();
        }
    } finish{*state_, block};
    if (block) block();
}

void WorkItem::cancel() {
    std::function<void()> dropped;
    std::lock_guard lock(state_->mutex);
    state_->cancelled = true;
    if (state_->phase == State::Phase::pending) {
        // Skipped for good: it counts as ended, and what it captured is released now.
        dropped = std::move(state_->block);
        state_->phase = State::Phase::done;
        state_->ended.notify_all();
    }
}

bool WorkItem::isCancelled() const {
    std::lock_guard lock(state_->mutex);
    return state_->cancelled;
}

void WorkItem::wait() {
    std::unique_lock lock(state_->mutex);
    state_->ended.wait(lock, [&] { return state_->phase == State::Phase::done; });
}

}  // namespace corvend::platform
