#include "platform/async/SerialQueue.hpp"

#include <deque>
#include <mutex>
#include <stdexcept>
#include <utility>

#include "platform/async/ProcessFork.hpp"
#include "platform/async/TaskPool.hpp"

namespace corvend::platform {

struct SerialQueue::State {
    std::mutex mutex;
    std::deque<std::function<void()>> blocks;
    // True while a pool job owns the queue's backlog.
    bool draining = false;
};

namespace {

// The queue whose block runs on this thread (identity only, never dereferenced).
thread_local const void* currentQueue = nullptr;

// An exception escaping a block ends the process, as on any serial queue.
void runBlock(const std::function<void()>& block) noexcept {
    block();
}

}  // namespace

std::shared_ptr<SerialQueue> SerialQueue::make(std::string label) {
    return std::shared_ptr<SerialQueue>(new SerialQueue(std::move(label)));
}

SerialQueue::SerialQueue(std::string label)
    : label_(std::move(label)), state_(std::make_shared<State>()) {}

void SerialQueue::async(std::function<void()> block) {
    enqueue(std::move(block));
}

void SerialQueue::async(const std::shared_ptr<DispatchGroup>& group, DispatchQoS /*qos*/,
                        DispatchWorkItemFlags /*flags*/, std::function<void()> block) {
    if (!group) {
        enqueue(std::move(block));
        return;
    }
    group->enter();
    enqueue([group, block = std::move(block)] {
        runBlock(block);
        group->leave();
    });
}

void SerialQueue::async(std::shared_ptr<WorkItem> item) {
    enqueue([item = std::move(item)] { item->perform(); });
}

bool SerialQueue::isCurrent() const {
    return currentQueue == state_.get();
}

void SerialQueue::enqueue(std::function<void()> block) {
    // Before the lock: a thread of the parent may have held it at the fork.
    ProcessFork::checkKitUsable("SerialQueue::async");
    {
        std::lock_guard lock(state_->mutex);
        state_->blocks.push_back(std::move(block));
        if (state_->draining) return;
        state_->draining = true;
    }
    // The job keeps the queue alive until its backlog is done.
    TaskPool::shared().submit([self = shared_from_this()] { self->drain(); });
}

void SerialQueue::drain() {
    const void* const previous = std::exchange(currentQueue, state_.get());
    for (;;) {
        std::function<void()> block;
        {
            std::lock_guard lock(state_->mutex);
            if (state_->blocks.empty()) {
                state_->draining = false;
                break;
            }
            block = std::move(state_->blocks.front());
            state_->blocks.pop_front();
        }
        runBlock(block);
    }
    currentQueue = previous;
}

bool SerialQueue::tryBeginInline() {
    std::lock_guard lock(state_->mutex);
    if (state_->draining || !state_->blocks.empty()) return false;
    state_->draining = true;
    return true;
}

void SerialQueue::endInline() {
    {
        std::lock_guard lock(state_->mutex);
        if (state_->blocks.empty()) {
            state_->draining = false;
            return;
        }
    }
    // Blocks queued meanwhile found the queue busy and are waiting for a drainer.
    TaskPool::shared().submit([self = shared_from_this()] { self->drain(); });
}

SerialQueue::InlineTurn::InlineTurn(SerialQueue& queue)
    : queue_(queue), previous_(std::exchange(currentQueue, queue.state_.get())) {}

SerialQueue::InlineTurn::~InlineTurn() {
    currentQueue = previous_;
    queue_.endInline();
}

void SerialQueue::checkCanWait() const {
    ProcessFork::checkKitUsable("SerialQueue::sync");
    if (isCurrent()) {
        throw std::logic_error("SerialQueue::sync called from a block of the same queue (" +
                               label_ + ")");
    }
}

}  // namespace corvend::platform
