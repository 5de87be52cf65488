#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "CorvendWallet/foundation/CompletionBridge.hpp"

namespace corvend {

// The running service call of a screen's interactor. It runs a blocking operation in a task
// and hands its result to `deliver` on the main queue, unless cancel() was called first or
// the task object is gone by then: a result after its screen went away is dropped, even one
// already queued, and a cancelled call reports nothing.
//
//   executingTask_ = FlowTask::run<Deposit>([service, id] { return service->get(id); },
//                                           [](Result<Deposit> result) { ... });
class FlowTask {
  public:
    template <class T>
    static std::shared_ptr<FlowTask> run(std::function<T()> operation,
                                         std::function<void(Result<T>)> deliver) {
        auto task = std::make_shared<FlowTask>();
        task->handle_ = runWalletOperation<T>(std::move(operation),
                                              [weakTask = std::weak_ptr<FlowTask>(task),
                                               deliver = std::move(deliver)](Result<T> result) {
                                                  const auto alive = weakTask.lock();
                                                  if (!alive || alive->cancelled_) return;
                                                  deliver(std::move(result));
                                              });
        return task;
    }

    // Main thread.
    void cancel();
    bool isCancelled() const noexcept { return cancelled_; }

  private:
    std::shared_ptr<WalletOperationHandle> handle_;
    bool cancelled_ = false;
};

}  // namespace corvend
