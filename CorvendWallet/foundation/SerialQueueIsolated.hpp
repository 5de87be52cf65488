#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "platform/async/DispatchGroup.hpp"
#include "platform/async/SerialQueue.hpp"

namespace corvend {

// One value kept on a serial queue: changes and reads run there one at a time, in the order
// queued, so a read queued after a change sees it. Made only as a shared object (make()),
// because queued changes hold the box weakly and are skipped once it is gone.
template <class T>
class SerialQueueIsolated : public std::enable_shared_from_this<SerialQueueIsolated<T>> {
    struct Private {
        explicit Private() = default;
    };

  public:
    // `queue` must not be null; its owner creates it and may share it with other boxes.
    static std::shared_ptr<SerialQueueIsolated> make(std::shared_ptr<platform::SerialQueue> queue,
                                                     T value) {
        return std::make_shared<SerialQueueIsolated>(Private{}, std::move(queue), std::move(value));
    }

    SerialQueueIsolated(Private, std::shared_ptr<platform::SerialQueue> queue, T value)
        : queue_(std::move(queue)), value_(std::move(value)) {
        if (!queue_) throw std::invalid_argument("SerialQueueIsolated needs a queue");
    }

    SerialQueueIsolated(const SerialQueueIsolated&) = delete;
    SerialQueueIsolated& operator=(const SerialQueueIsolated&) = delete;

    // Queues `fn(value)` and returns at once. Skipped when the box is gone by the time it runs.
    // An exception escaping `fn` terminates the process, as from any queued block.
    template <class F>
    void mutate(F&& fn) {
        auto change = shareable(std::forward<F>(fn));
        queue_->async(nullptr, platform::DispatchQoS::unspecified,
                      platform::DispatchWorkItemFlags::none,
                      [weak = this->weak_from_this(), change = std::move(change)]() mutable {
                          if (auto self = weak.lock()) change(self->value_);
                      });
    }

    // Queues `fn(value)`, blocks until it has run and returns its result or rethrows what it
    // threw. Not cancellable: a read always completes. Called from a block of this box's own
    // queue, it runs `fn` at once rather than wait on itself.
    template <class F>
    std::invoke_result_t<F, T&> withValue(F&& fn) {
        static_assert(!std::is_reference_v<std::invoke_result_t<F, T&>>,
                      "return a copy: a reference would escape the queue");
        const auto self = this->shared_from_this();  // the box outlives the queued read
        if (queue_->isCurrent()) return std::invoke(fn, value_);
        return queue_->sync([&]() -> decltype(auto) { return std::invoke(fn, self->value_); });
    }

    const std::shared_ptr<platform::SerialQueue>& queue() const noexcept { return queue_; }

  private:
    // Queued blocks are std::function, which needs a copyable callable.
    template <class F>
    static auto shareable(F&& fn) {
        using Fn = std::decay_t<F>;
        if constexpr (std::is_copy_constructible_v<Fn>) {
            return Fn(std::forward<F>(fn));
        } else {
            return [shared = std::make_shared<Fn>(std::forward<F>(fn))](T& value) {
                std::invoke(*shared, value);
            };
        }
    }

    std::shared_ptr<platform::SerialQueue> queue_;
    T value_;
};

}  // namespace corvend
