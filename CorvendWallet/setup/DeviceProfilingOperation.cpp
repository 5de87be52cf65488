#include "CorvendWallet/setup/DeviceProfilingOperation.hpp"

#include <utility>

#include "platform/async/ProcessFork.hpp"

namespace corvend {

std::shared_ptr<DeviceProfilingOperation> DeviceProfilingOperation::make(
    std::function<void()> cancelOperation) {
    return std::make_shared<DeviceProfilingOperation>(std::move(cancelOperation));
}

DeviceProfilingOperation::DeviceProfilingOperation(std::function<void()> cancelOperation)
    : cancelOperation_(std::move(cancelOperation)) {}

void DeviceProfilingOperation::cancel() noexcept {
    // The work is the parent's, and so may be the locks a cancel takes.
    if (platform::ProcessFork::forkedAfterKitBegan()) return;
    if (cancelOperation_) cancelOperation_();
}

}  // namespace corvend
