#pragma once

// A call of a service double that the test holds open: it ends when the test opens it or, when
// asked to, as soon as the task it runs in is cancelled, and it records whether that task was
// cancelled. It never waits longer than `limit`, so a call that is never cancelled fails its
// test instead of hanging it.
//
//   auto held = std::make_shared<testing::HeldCall>();
//   network->setReply({.failure = [held] { held->hold(true); throw platform::CancellationError();
//   }});

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/async/CancellationToken.hpp"

namespace corvend::testing {

class HeldCall {
  public:
    explicit HeldCall(std::chrono::milliseconds limit = std::chrono::seconds(5)) : limit_(limit) {}

    void open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

    // Blocks the calling task until open(), or until its cancellation when `endOnCancel`.
    void hold(bool endOnCancel) {
        const auto registration = platform::onCancel([this, endOnCancel] {
            cancelled = true;
            if (endOnCancel) open();
        });
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, limit_, [&] { return open_; });
        ended = true;
    }

    std::atomic<bool> cancelled{false};
    std::atomic<bool> ended{false};

  private:
    const std::chrono::milliseconds limit_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
};

}  // namespace corvend::testing
