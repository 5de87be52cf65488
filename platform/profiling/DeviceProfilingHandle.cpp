#include "platform/profiling/DeviceProfilingHandle.hpp"

namespace corvend::platform {

std::shared_ptr<DeviceProfilingHandle> DeviceProfilingHandle::make() {
    return std::make_shared<DeviceProfilingHandle>();
}

void DeviceProfilingHandle::cancel() noexcept {
    auto expected = Phase::pending;
    phase_.compare_exchange_strong(expected, Phase::cancelled);
}

bool DeviceProfilingHandle::isCancelled() const noexcept {
    return phase_.load() == Phase::cancelled;
}

bool DeviceProfilingHandle::claimDelivery() noexcept {
    auto expected = Phase::pending;
    return phase_.compare_exchange_strong(expected, Phase::delivered);
}

}  // namespace corvend::platform
