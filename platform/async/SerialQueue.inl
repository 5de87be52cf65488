#pragma once

#include <memory>
#include <utility>

#include "platform/async/OneShot.hpp"

namespace corvend::platform {

// Holds the idle queue for a sync() running on the calling thread.
class SerialQueue::InlineTurn {
  public:
    explicit InlineTurn(SerialQueue& queue);
    ~InlineTurn();
    InlineTurn(const InlineTurn&) = delete;
    InlineTurn& operator=(const InlineTurn&) = delete;

  private:
    SerialQueue& queue_;
    const void* previous_;
};

template <class F>
std::invoke_result_t<F> SerialQueue::sync(F&& fn) {
    using R = std::invoke_result_t<F>;
    checkCanWait();
    if (tryBeginInline()) {
        InlineTurn turn(*this);
        return std::forward<F>(fn)();
    }
    if constexpr (std::is_void_v<R>) {
        OneShot<void> outcome;
        enqueue([&] {
            try {
                std::forward<F>(fn)();
                outcome.resolve();
            } catch (...) {
                outcome.reject(std::current_exception());
            }
        });
        outcome.wait();
    } else if constexpr (std::is_reference_v<R>) {
        // A reference result travels as the address it refers to.
        OneShot<std::remove_reference_t<R>*> outcome;
        enqueue([&] {
            try {
                auto&& result = std::forward<F>(fn)();
                outcome.resolve(std::addressof(result));
            } catch (...) {
                outcome.reject(std::current_exception());
            }
        });
        return static_cast<R>(*outcome.wait());
    } else {
        OneShot<R> outcome;
        enqueue([&] {
            try {
                outcome.resolve(std::forward<F>(fn)());
            } catch (...) {
                outcome.reject(std::current_exception());
            }
        });
        return outcome.wait();
    }
}

}  // namespace corvend::platform
