#include "CorvendWallet/setup/DeviceProfilingOperation.hpp"

#include <utility>

namespace corvend {

std::shared_ptr<DeviceProfilingOperation> DeviceProfilingOperation::make(
    std::function<void()> cancelOperation) {
    return std::make_shared<DeviceProfilingOperation>(std::move(cancelOperation));
}

DeviceProfilingOperation::DeviceProfilingOperation(std::function<void()> cancelOperation)
    : cancelOperation_(std::move(cancelOperation)) {}

void DeviceProfilingOperation::cancel() noexcept {
    if (cancelOperation_) cancelOperation_();
}

}  // namespace corvend
