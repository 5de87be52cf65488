#include "CorvendWallet/foundation/DispatchQueue.hpp"

#include <stdexcept>
#include <utility>

namespace corvend {

DispatchQueue::DispatchQueue(std::shared_ptr<platform::SerialQueue> queue)
    : queue_(std::move(queue)) {
    if (!queue_) throw std::invalid_argument("DispatchQueue needs a queue");
}

std::shared_ptr<DispatchQueue> DispatchQueue::make(std::string label) {
    return std::make_shared<DispatchQueue>(platform::SerialQueue::make(std::move(label)));
}

void DispatchQueue::async(const std::shared_ptr<platform::DispatchGroup>& group,
                          platform::DispatchQoS qos, platform::DispatchWorkItemFlags flags,
                          std::function<void()> block) {
    queue_->async(group, qos, flags, std::move(block));
}

void DispatchQueue::async(std::shared_ptr<platform::WorkItem> item) {
    queue_->async(std::move(item));
}

}  // namespace corvend
