#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace corvend::platform {

namespace detail {
struct CancellationState;
}

// Keeps a cancellation handler registered; destroying it unregisters the handler. When the
// handler is running on another thread at that moment, the destructor waits for it to return,
// so whatever the handler captured may be destroyed right after. Destroying a registration
// from inside its own handler does not wait.
class CancellationRegistration {
  public:
    CancellationRegistration() = default;
    CancellationRegistration(std::shared_ptr<detail::CancellationState> state, std::uint64_t id);
    CancellationRegistration(CancellationRegistration&&) noexcept;
    CancellationRegistration& operator=(CancellationRegistration&&) noexcept;
    CancellationRegistration(const CancellationRegistration&) = delete;
    CancellationRegistration& operator=(const CancellationRegistration&) = delete;
    ~CancellationRegistration();

    // Unregisters now (same contract as the destructor).
    void reset();

  private:
    std::shared_ptr<detail::CancellationState> state_;
    std::uint64_t id_ = 0;
};

// The observing side of a cancellation source. A default-constructed token is never cancelled.
class CancellationToken {
  public:
    CancellationToken() = default;
    explicit CancellationToken(std::shared_ptr<detail::CancellationState> state);

    bool isCancelled() const noexcept;
    bool canBeCancelled() const noexcept { return state_ != nullptr; }

    // Runs `handler` once when the source is cancelled. When it already is, runs it at once on
    // the calling thread. Handlers run on the thread that calls cancel(), outside any lock, and
    // must not block for long.
    [[nodiscard]] CancellationRegistration onCancel(std::function<void()> handler) const;

    // Handlers registered and not yet run or unregistered. For diagnostics and tests.
    std::size_t registeredHandlerCount() const;

  private:
    friend class CancellationSource;
    std::shared_ptr<detail::CancellationState> state_;
};

// The owning side: cancel() marks every token of this source cancelled and runs their handlers
// exactly once. Idempotent and callable from any thread.
class CancellationSource {
  public:
    CancellationSource();
    // A source that is also cancelled when `parent` is (a child task's source).
    explicit CancellationSource(const CancellationToken& parent);

    CancellationToken token() const { return CancellationToken(state_); }
    void cancel() const;
    bool isCancelled() const noexcept;

    // Stops following the parent: a later cancel of the parent no longer reaches this source.
    // A finished child task calls it so that a long-lived parent does not collect dead links.
    // Waits like a registration's destructor if the parent is cancelling right now.
    void releaseParentLink();

  private:
    std::shared_ptr<detail::CancellationState> state_;
    std::shared_ptr<CancellationRegistration> parentLink_;
};

// The token of the task running on this thread (a never-cancelled token outside any task).
CancellationToken currentCancellationToken();

// True when the current task has been cancelled.
bool isCancelled();

// Throws CancellationError when the current task has been cancelled.
void checkCancellation();

// onCancel() of the current task's token; a no-op registration outside any task.
[[nodiscard]] CancellationRegistration onCancel(std::function<void()> handler);

// Makes `token` the current task's token on this thread for the scope's lifetime; restores the
// previous one on exit. Tasks use it internally; hosts and tests use it to run blocking kit code
// cancellably on a thread of their own.
class CancellationScope {
  public:
    explicit CancellationScope(CancellationToken token);
    ~CancellationScope();
    CancellationScope(const CancellationScope&) = delete;
    CancellationScope& operator=(const CancellationScope&) = delete;

  private:
    CancellationToken previous_;
};

}  // namespace corvend::platform
