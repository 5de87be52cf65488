#include "platform/async/Task.hpp"

#include "platform/async/CancellationError.hpp"
#include "platform/async/TaskPool.hpp"

namespace corvend::platform {

namespace detail {

void TaskCore::launch(const std::shared_ptr<TaskCore>& core, std::function<void()> body) {
    TaskPool::shared().submit([core, body = std::move(body)]() mutable {
        std::exception_ptr failure;
        {
            CancellationScope scope(core->source.token());
            try {
                body();
            } catch (...) {
                failure = std::current_exception();
            }
            // What the work captured goes before anyone can see the task finished.
            body = nullptr;
        }
        // A finished task no longer listens to its parent.
        core->source.releaseParentLink();
        std::lock_guard lock(core->mutex);
        core->error = std::move(failure);
        core->finished = true;
        core->finishedChanged.notify_all();
    });
}

void TaskCore::awaitEnd() {
    {
        std::lock_guard lock(mutex);
        if (finished) return;
    }
    // Guarded by `mutex`; the registration below outlives every use of it by the handler.
    bool waiterCancelled = false;
    CancellationRegistration registration = currentCancellationToken().onCancel([&] {
        {
            std::lock_guard lock(mutex);
            waiterCancelled = true;
            finishedChanged.notify_all();
        }
        cancel();
    });
    std::unique_lock lock(mutex);
    finishedChanged.wait(lock, [&] { return finished || waiterCancelled; });
    // A waiter cancelled during the wait always sees it, even if the task ended meanwhile
    // (likely, as the cancel reached the task too).
    const bool cancelled = waiterCancelled;
    lock.unlock();
    // Unregistered without the lock: a running handler needs it to return.
    registration.reset();
    if (cancelled) throw CancellationError();
}

void TaskCore::cancel() {
    if (isFinished()) return;
    source.cancel();
}

bool TaskCore::isFinished() const {
    std::lock_guard lock(mutex);
    return finished;
}

}  // namespace detail

void AnyTask::cancel() const {
    if (core_) core_->cancel();
}

bool AnyTask::isCancelled() const {
    return core_ && core_->source.isCancelled();
}

bool AnyTask::isFinished() const {
    return core_ && core_->isFinished();
}

}  // namespace corvend::platform
