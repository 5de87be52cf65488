#pragma once

#include <stdexcept>
#include <utility>

namespace corvend::platform {

namespace detail {

// rethrow_exception(nullptr) is undefined: a reject without an error still fails the wait.
inline std::exception_ptr nonNullError(std::exception_ptr error) {
    if (error) return error;
    return std::make_exception_ptr(std::logic_error("OneShot rejected without an error"));
}

}  // namespace detail

// Waiters are notified with the lock held: a waiter may destroy the OneShot as soon as its
// wait returns.
template <class T>
bool OneShot<T>::resolve(T value) {
    std::lock_guard lock(mutex_);
    if (outcome_.index() != 0) return false;
    outcome_.template emplace<1>(std::move(value));
    settled_.notify_all();
    return true;
}

template <class T>
bool OneShot<T>::reject(std::exception_ptr error) {
    std::lock_guard lock(mutex_);
    if (outcome_.index() != 0) return false;
    outcome_.template emplace<2>(detail::nonNullError(std::move(error)));
    settled_.notify_all();
    return true;
}

template <class T>
bool OneShot<T>::isSettled() const {
    std::lock_guard lock(mutex_);
    return outcome_.index() != 0;
}

template <class T>
T OneShot<T>::wait() {
    std::unique_lock lock(mutex_);
    settled_.wait(lock, [&] { return outcome_.index() != 0; });
    if (outcome_.index() == 2) {
        std::rethrow_exception(detail::nonNullError(std::exchange(std::get<2>(outcome_), {})));
    }
    return std::move(std::get<1>(outcome_));
}

template <class T>
bool OneShot<T>::waitUntil(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    return settled_.wait_until(lock, deadline, [&] { return outcome_.index() != 0; });
}

inline bool OneShot<void>::resolve() {
    std::lock_guard lock(mutex_);
    if (settled_flag_) return false;
    settled_flag_ = true;
    settled_.notify_all();
    return true;
}

inline bool OneShot<void>::reject(std::exception_ptr error) {
    std::lock_guard lock(mutex_);
    if (settled_flag_) return false;
    settled_flag_ = true;
    failed_ = true;
    error_ = detail::nonNullError(std::move(error));
    settled_.notify_all();
    return true;
}

inline bool OneShot<void>::isSettled() const {
    std::lock_guard lock(mutex_);
    return settled_flag_;
}

inline void OneShot<void>::wait() {
    std::unique_lock lock(mutex_);
    settled_.wait(lock, [&] { return settled_flag_; });
    if (failed_) std::rethrow_exception(detail::nonNullError(std::exchange(error_, {})));
}

}  // namespace corvend::platform
