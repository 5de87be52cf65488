#pragma once

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <variant>

namespace corvend::platform {

// A one-time outcome shared between the side that ends a wait and the side that waits. The
// first resolve()/reject() wins; later ones return false and change nothing, so racing
// completions (a reply and a cancel) end a wait exactly once.
template <class T>
class OneShot {
  public:
    bool resolve(T value);
    bool reject(std::exception_ptr error);
    bool isSettled() const;

    // Blocks until settled; returns the value or rethrows the error, either moved out (so call
    // once): the waiter's thread then frees the error it caught, never the settling side later.
    T wait();
    // Blocks until settled or `deadline`; whether it is settled.
    bool waitUntil(std::chrono::steady_clock::time_point deadline);

  private:
    mutable std::mutex mutex_;
    std::condition_variable settled_;
    std::variant<std::monostate, T, std::exception_ptr> outcome_;
};

// The same for an outcome that carries no value.
template <>
class OneShot<void> {
  public:
    bool resolve();
    bool reject(std::exception_ptr error);
    bool isSettled() const;
    void wait();  // hands its error over as OneShot<T>::wait() does: call once

  private:
    mutable std::mutex mutex_;
    std::condition_variable settled_;
    bool settled_flag_ = false;
    bool failed_ = false;
    std::exception_ptr error_;
};

}  // namespace corvend::platform

#include "platform/async/OneShot.inl"
