#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <utility>

namespace corvend::platform {

namespace detail {

struct TaskCore {
    explicit TaskCore(CancellationSource taskSource) : source(std::move(taskSource)) {}
    virtual ~TaskCore() = default;
    TaskCore(const TaskCore&) = delete;
    TaskCore& operator=(const TaskCore&) = delete;

    // Runs `body` on the shared pool with this task's token current, then records the outcome.
    static void launch(const std::shared_ptr<TaskCore>& core, std::function<void()> body);

    // Blocks until the task has finished. Throws CancellationError (and cancels this task) when
    // the calling thread's current token is cancelled before the task had finished.
    void awaitEnd();

    // Cancels the task unless it has already finished.
    void cancel();
    bool isFinished() const;

    CancellationSource source;
    mutable std::mutex mutex;
    std::condition_variable finishedChanged;
    bool finished = false;
    // Written by the task before `finished` is set, read-only afterwards.
    std::exception_ptr error;
};

template <class T>
struct TaskCoreOf : TaskCore {
    using TaskCore::TaskCore;
    std::optional<T> result;
};

template <>
struct TaskCoreOf<void> : TaskCore {
    using TaskCore::TaskCore;
};

// Makes the shared state of a task running `fn` and starts it.
template <class T>
std::shared_ptr<TaskCore> startTask(CancellationSource source, std::function<T()> fn) {
    auto core = std::make_shared<TaskCoreOf<T>>(std::move(source));
    std::function<void()> body;
    if constexpr (std::is_void_v<T>) {
        body = std::move(fn);
    } else {
        body = [core, fn = std::move(fn)] { core->result.emplace(fn()); };
    }
    TaskCore::launch(core, std::move(body));
    return core;
}

}  // namespace detail

template <class T>
Task<T> Task<T>::detached(std::function<T()> fn) {
    Task task;
    task.core_ = detail::startTask<T>(CancellationSource(), std::move(fn));
    return task;
}

template <class T>
Task<T> Task<T>::child(std::function<T()> fn) {
    Task task;
    task.core_ =
        detail::startTask<T>(CancellationSource(currentCancellationToken()), std::move(fn));
    return task;
}

template <class T>
T Task<T>::value() const {
    if (!core_) throw std::logic_error("value() of a task that was never started");
    core_->awaitEnd();
    if (core_->error) std::rethrow_exception(core_->error);
    if constexpr (!std::is_void_v<T>) {
        auto& core = static_cast<detail::TaskCoreOf<T>&>(*core_);
        if constexpr (std::is_copy_constructible_v<T>) {
            return *core.result;
        } else {
            return std::move(*core.result);  // move-only results can be taken once
        }
    }
}

}  // namespace corvend::platform
