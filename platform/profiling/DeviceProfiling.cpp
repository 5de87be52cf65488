#include "platform/profiling/DeviceProfiling.hpp"

#include <array>
#include <cstdint>
#include <random>
#include <string_view>
#include <utility>

#include "platform/async/TaskPool.hpp"

namespace corvend::platform {

namespace {

// 128 random bits as 32 lower-case hex digits.
std::string makeSessionID() {
    static constexpr std::string_view kDigits = "0123456789abcdef";
    std::random_device device;
    std::string id;
    id.reserve(32);
    for (int word = 0; word < 4; ++word) {
        std::uint32_t bits = device();
        for (int nibble = 0; nibble < 8; ++nibble) {
            id.push_back(kDigits[bits & 0xFU]);
            bits >>= 4U;
        }
    }
    return id;
}

}  // namespace

std::shared_ptr<DeviceProfiling> DeviceProfiling::shared() {
    // Leaked on purpose: pool threads may still report to it during process exit.
    static const std::shared_ptr<DeviceProfiling>* const instance =
        new std::shared_ptr<DeviceProfiling>(make());
    return *instance;
}

std::shared_ptr<DeviceProfiling> DeviceProfiling::make(Executor executor) {
    return std::make_shared<DeviceProfiling>(std::move(executor));
}

DeviceProfiling::DeviceProfiling(Executor executor) : executor_(std::move(executor)) {
    if (!executor_) {
        executor_ = [](std::function<void()> job) { TaskPool::shared().submit(std::move(job)); };
    }
}

void DeviceProfiling::configure(Dictionary options) {
    std::lock_guard lock(mutex_);
    options_ = std::move(options);
}

std::optional<DeviceProfiling::Dictionary> DeviceProfiling::options() const {
    std::lock_guard lock(mutex_);
    return options_;
}

std::shared_ptr<DeviceProfilingHandle> DeviceProfiling::profileDevice(Callback callback) {
    auto handle = DeviceProfilingHandle::make();
    executor_([handle, callback = std::move(callback)] {
        if (!handle->claimDelivery() || !callback) return;
        callback(Dictionary{{kSessionIDKey, makeSessionID()}, {kProfileStatusKey, kStatusOK}});
    });
    return handle;
}

}  // namespace corvend::platform
