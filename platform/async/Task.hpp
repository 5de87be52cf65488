#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <type_traits>

#include "platform/async/CancellationToken.hpp"

namespace corvend::platform {

namespace detail {
// Shared state of one task: its cancellation source and its one-time outcome.
struct TaskCore;
}  // namespace detail

// Type-erased view of a running task: what a cancellable handle needs.
class AnyTask {
  public:
    AnyTask() = default;
    explicit AnyTask(std::shared_ptr<detail::TaskCore> core) : core_(std::move(core)) {}

    // Marks the task cancelled (its token, and its children's); a finished task ignores it.
    // Callable any number of times from any thread.
    void cancel() const;
    bool isCancelled() const;
    bool isFinished() const;

  protected:
    std::shared_ptr<detail::TaskCore> core_;
};

// One unit of work on the shared TaskPool with its own cancellation source. While `fn` runs,
// the task's token is the thread's current token (see CancellationToken.hpp), so any code it
// calls can observe cancellation. Dropping the handle never cancels the task.
template <class T>
class Task : public AnyTask {
  public:
    // Starts `fn` on the pool, unlinked from the caller's cancellation.
    static Task detached(std::function<T()> fn);

    // Starts `fn` on the pool; it is cancelled when the current task is (work done side by side).
    static Task child(std::function<T()> fn);

    // Blocks until the task ends and returns its value or rethrows its exception. The wait is
    // cancellable: when the *waiting* task is cancelled, the awaited task is cancelled too and
    // this throws CancellationError at once. Never call it on the thread that drives MainQueue.
    // A copyable result is copied, so any number of waiters may read it; a move-only result is
    // moved out, so read it once. Throws std::logic_error on a handle that never started.
    T value() const;
};

}  // namespace corvend::platform

#include "platform/async/Task.inl"
