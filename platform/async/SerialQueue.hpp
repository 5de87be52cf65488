#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "platform/async/DispatchGroup.hpp"
#include "platform/async/DispatchQoS.hpp"
#include "platform/async/DispatchWorkItemFlags.hpp"
#include "platform/async/WorkItem.hpp"

namespace corvend::platform {

// A FIFO executor on the shared TaskPool: queued blocks run one at a time, in the order queued,
// on whatever pool thread is free (no thread of its own while idle). A queue is shared: blocks
// keep it alive until they have run.
class SerialQueue : public std::enable_shared_from_this<SerialQueue> {
  public:
    static std::shared_ptr<SerialQueue> make(std::string label);

    const std::string& label() const { return label_; }

    // Queues `block`; returns at once. A group, when given, is entered now and left after the
    // block ran. An exception escaping a block terminates the process.
    void async(std::function<void()> block);
    void async(const std::shared_ptr<DispatchGroup>& group, DispatchQoS qos,
               DispatchWorkItemFlags flags, std::function<void()> block);
    void async(std::shared_ptr<WorkItem> item);

    // Runs `fn` after every block queued before it and alone, like a queued block, and returns
    // its result or rethrows its exception. On an idle queue it runs on the calling thread.
    // Not cancellable: the read always completes. Calling it from a block of the same queue
    // could never complete, so it throws std::logic_error instead of deadlocking. Both forms throw
    // std::logic_error in a child of fork made after the kit began to be made (see
    // ProcessFork.hpp).
    template <class F>
    std::invoke_result_t<F> sync(F&& fn);

    // True while the calling thread runs a block of this queue.
    bool isCurrent() const;

  private:
    explicit SerialQueue(std::string label);
    void enqueue(std::function<void()> block);
    void drain();
    void checkCanWait() const;

    // While the queue is idle (nothing queued or running), sync() runs its function on the
    // calling thread instead of paying two thread hand-offs; the queue counts as busy meanwhile,
    // so order and exclusion are those of a queued block.
    class InlineTurn;
    bool tryBeginInline();
    void endInline();

    struct State;
    std::string label_;
    std::shared_ptr<State> state_;
};

}  // namespace corvend::platform

#include "platform/async/SerialQueue.inl"
