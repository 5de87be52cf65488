#include "CorvendWallet/setup/DeviceProfilingAdapter.hpp"

#include <stdexcept>
#include <utility>

#include "CorvendWallet/setup/DeviceProfilingOperation.hpp"

namespace corvend {

DeviceProfilingAdapter::DeviceProfilingAdapter(std::shared_ptr<platform::DeviceProfiling> profiling)
    : profiling_(std::move(profiling)) {
    if (!profiling_) throw std::invalid_argument("DeviceProfilingAdapter needs a profiler");
}

std::shared_ptr<DeviceProfilingWrapper> DeviceProfilingAdapter::shared() {
    auto profiling = platform::DeviceProfiling::shared();
    if (!profiling) return nullptr;
    return std::make_shared<DeviceProfilingAdapter>(std::move(profiling));
}

void DeviceProfilingAdapter::configure(const Dictionary& options) {
    profiling_->configure(options);
}

std::shared_ptr<WalletOperationHandle> DeviceProfilingAdapter::profileDevice(Callback callback) {
    auto run = profiling_->profileDevice(std::move(callback));
    return DeviceProfilingOperation::make([run] { run->cancel(); });
}

}  // namespace corvend
