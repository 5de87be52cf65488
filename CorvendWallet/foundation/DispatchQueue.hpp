#pragma once

#include <memory>
#include <string>

#include "CorvendWallet/foundation/DispatchQueueProtocol.hpp"
#include "platform/async/SerialQueue.hpp"

namespace corvend {

// The queue protocol over a platform serial queue: each submission is forwarded unchanged.
class DispatchQueue final : public DispatchQueueProtocol {
  public:
    // `queue` must not be null.
    explicit DispatchQueue(std::shared_ptr<platform::SerialQueue> queue);

    // A queue over a new serial queue named `label`.
    static std::shared_ptr<DispatchQueue> make(std::string label);

    using DispatchQueueProtocol::async;
    void async(const std::shared_ptr<platform::DispatchGroup>& group, platform::DispatchQoS qos,
               platform::DispatchWorkItemFlags flags, std::function<void()> block) override;
    void async(std::shared_ptr<platform::WorkItem> item) override;

    const std::shared_ptr<platform::SerialQueue>& queue() const noexcept { return queue_; }

  private:
    std::shared_ptr<platform::SerialQueue> queue_;
};

}  // namespace corvend
