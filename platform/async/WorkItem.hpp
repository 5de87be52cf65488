#pragma once

#include <functional>
#include <memory>

namespace corvend::platform {

// A block that can be queued, cancelled before it runs, and waited for.
class WorkItem {
  public:
    explicit WorkItem(std::function<void()> block);

    // Runs the block unless the item was cancelled; a second perform() does nothing.
    void perform();

    // Keeps the block from running if it has not started; does not interrupt a running block.
    void cancel();
    bool isCancelled() const;

    // Blocks until the item has run or been skipped because it was cancelled.
    void wait();

  private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace corvend::platform
