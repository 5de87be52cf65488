#include "platform/async/CancellationToken.hpp"

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/async/CancellationError.hpp"

namespace corvend::platform {

namespace detail {

struct CancellationState {
    std::mutex mutex;
    std::condition_variable handlerDone;
    std::atomic<bool> cancelled{false};
    // Ordered so that handlers run in the order they were registered.
    std::map<std::uint64_t, std::function<void()>> handlers;
    std::uint64_t nextId = 1;
    // The handler cancel() is running right now (0: none) and the thread running it.
    std::uint64_t runningId = 0;
    std::thread::id runningThread;

    // Runs every handler once on the calling thread, one at a time, with the lock released so a
    // handler may register, unregister or cancel other sources.
    void cancel() {
        std::unique_lock lock(mutex);
        if (cancelled.load(std::memory_order_relaxed)) return;
        cancelled.store(true, std::memory_order_release);
        while (!handlers.empty()) {
            auto first = handlers.begin();
            const std::uint64_t id = first->first;
            std::function<void()> handler = std::move(first->second);
            handlers.erase(first);
            runningId = id;
            runningThread = std::this_thread::get_id();
            lock.unlock();
            invoke(handler);
            // Captured state goes before the registration may see the handler as finished.
            handler = nullptr;
            lock.lock();
            runningId = 0;
            runningThread = std::thread::id();
            handlerDone.notify_all();
        }
    }

    // A handler that throws has nowhere to report to: the process ends, as for a thread.
    static void invoke(const std::function<void()>& handler) noexcept { handler(); }

    void unregister(std::uint64_t id) {
        std::unique_lock lock(mutex);
        if (handlers.erase(id) > 0) return;
        if (runningThread == std::this_thread::get_id()) return;  // from inside the handler
        handlerDone.wait(lock, [&] { return runningId != id; });
    }
};

}  // namespace detail

namespace {

// The token of the task running on this thread; default (never cancelled) outside tasks.
thread_local CancellationToken currentToken;

}  // namespace

CancellationRegistration::CancellationRegistration(std::shared_ptr<detail::CancellationState> state,
                                                   std::uint64_t id)
    : state_(std::move(state)), id_(id) {}

CancellationRegistration::CancellationRegistration(CancellationRegistration&& other) noexcept
    : state_(std::move(other.state_)), id_(std::exchange(other.id_, 0)) {}

CancellationRegistration& CancellationRegistration::operator=(
    CancellationRegistration&& other) noexcept {
    if (this != &other) {
        reset();
        state_ = std::move(other.state_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

CancellationRegistration::~CancellationRegistration() {
    reset();
}

void CancellationRegistration::reset() {
    auto state = std::move(state_);
    state_ = nullptr;
    const std::uint64_t id = std::exchange(id_, 0);
    if (state && id != 0) state->unregister(id);
}

CancellationToken::CancellationToken(std::shared_ptr<detail::CancellationState> state)
    : state_(std::move(state)) {}

bool CancellationToken::isCancelled() const noexcept {
    return state_ && state_->cancelled.load(std::memory_order_acquire);
}

CancellationRegistration CancellationToken::onCancel(std::function<void()> handler) const {
    if (!state_ || !handler) return {};
    {
        std::lock_guard lock(state_->mutex);
        if (!state_->cancelled.load(std::memory_order_relaxed)) {
            const std::uint64_t id = state_->nextId++;
            state_->handlers.emplace(id, std::move(handler));
            return CancellationRegistration(state_, id);
        }
    }
    detail::CancellationState::invoke(handler);
    return {};
}

std::size_t CancellationToken::registeredHandlerCount() const {
    if (!state_) return 0;
    std::lock_guard lock(state_->mutex);
    return state_->handlers.size();
}

CancellationSource::CancellationSource() : state_(std::make_shared<detail::CancellationState>()) {}

CancellationSource::CancellationSource(const CancellationToken& parent) : CancellationSource() {
    // The parent's handler holds the child weakly: a dead child leaves nothing behind but the
    // registration, which the child's own death removes.
    std::weak_ptr<detail::CancellationState> weak = state_;
    auto link = parent.onCancel([weak] {
        if (auto state = weak.lock()) state->cancel();
    });
    parentLink_ = std::make_shared<CancellationRegistration>(std::move(link));
}

void CancellationSource::cancel() const {
    state_->cancel();
}

bool CancellationSource::isCancelled() const noexcept {
    return state_->cancelled.load(std::memory_order_acquire);
}

void CancellationSource::releaseParentLink() {
    if (parentLink_) parentLink_->reset();
}

CancellationToken currentCancellationToken() {
    return currentToken;
}

bool isCancelled() {
    return currentToken.isCancelled();
}

void checkCancellation() {
    if (currentToken.isCancelled()) throw CancellationError();
}

CancellationRegistration onCancel(std::function<void()> handler) {
    return currentToken.onCancel(std::move(handler));
}

CancellationScope::CancellationScope(CancellationToken token)
    : previous_(std::exchange(currentToken, std::move(token))) {}

CancellationScope::~CancellationScope() {
    currentToken = std::move(previous_);
}

}  // namespace corvend::platform
