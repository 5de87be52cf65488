#pragma once

#include <functional>
#include <memory>

#include "platform/async/DispatchGroup.hpp"
#include "platform/async/DispatchQoS.hpp"
#include "platform/async/DispatchWorkItemFlags.hpp"
#include "platform/async/WorkItem.hpp"

namespace corvend {

// A queue that work can be submitted to, so that owners can be given a fake in tests.
// Implementations that override async() add `using DispatchQueueProtocol::async;` to keep the
// plain-block form visible.
class DispatchQueueProtocol {
  public:
    virtual ~DispatchQueueProtocol() = default;

    // Queues `block`; returns at once. A group, when given, is entered now and left after the
    // block ran.
    virtual void async(const std::shared_ptr<platform::DispatchGroup>& group,
                       platform::DispatchQoS qos, platform::DispatchWorkItemFlags flags,
                       std::function<void()> block) = 0;

    // Queues `item`; it is skipped when cancelled before it runs.
    virtual void async(std::shared_ptr<platform::WorkItem> item) = 0;

    // Queues `block` with no group, quality of service unspecified and no flags.
    void async(std::function<void()> block) {
        async(nullptr, platform::DispatchQoS::unspecified, platform::DispatchWorkItemFlags::none,
              std::move(block));
    }

  protected:
    DispatchQueueProtocol() = default;
    DispatchQueueProtocol(const DispatchQueueProtocol&) = default;
    DispatchQueueProtocol& operator=(const DispatchQueueProtocol&) = default;
};

}  // namespace corvend
