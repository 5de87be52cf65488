#pragma once

#include <concepts>
#include <functional>
#include <mutex>
#include <type_traits>
#include <utility>

namespace corvend {

// Locks `mutex`, runs `fn` and unlocks, also when `fn` throws. Returns what `fn` returns and
// passes on what it throws.
template <class F>
std::invoke_result_t<F> sync(std::recursive_mutex& mutex, F&& fn) {
    std::lock_guard lock(mutex);
    return std::invoke(std::forward<F>(fn));
}

// One value guarded by its own recursive mutex: every access goes through withValue(), on the
// calling thread. Re-entrant: the function given to withValue() may call withValue() on the
// same box. Keep the functions short; nothing but the access should run under the lock.
template <class T>
class LockIsolated {
  public:
    LockIsolated() requires std::default_initializable<T>
    = default;
    explicit LockIsolated(T value) : value_(std::move(value)) {}

    LockIsolated(const LockIsolated&) = delete;
    LockIsolated& operator=(const LockIsolated&) = delete;

    // Runs `fn(value)` under the lock and returns its result; unlocks and passes on what it
    // throws. The result must not be a reference, which would outlive the lock. (No const
    // overload: it would make generic lambdas that change the value fail to compile.)
    template <class F>
    std::invoke_result_t<F, T&> withValue(F&& fn) {
        static_assert(!std::is_reference_v<std::invoke_result_t<F, T&>>,
                      "return a copy: a reference would escape the lock");
        return sync(mutex_, [&]() -> decltype(auto) { return std::invoke(fn, value_); });
    }

  private:
    T value_{};
    std::recursive_mutex mutex_;
};

}  // namespace corvend
