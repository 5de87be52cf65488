#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "CorvendWallet/foundation/WalletOperationHandle.hpp"
#include "platform/profiling/DeviceProfiling.hpp"

namespace corvend {

// What the fingerprint provider needs of the device profiler, so tests can stand in for it.
// Dictionaries use the keys and value types of platform::DeviceProfiling.
class DeviceProfilingWrapper {
  public:
    using Dictionary = platform::DeviceProfiling::Dictionary;
    // Receives the run's result dictionary unchanged, or nothing when the run produced none.
    using Callback = std::function<void(std::optional<Dictionary>)>;

    virtual ~DeviceProfilingWrapper() = default;

    // Hands `options` to the profiler for later runs.
    virtual void configure(const Dictionary& options) = 0;

    // Starts a run; `callback` is called at most once, on any thread, possibly before this
    // returns. The returned handle (never null) cancels the run.
    virtual std::shared_ptr<WalletOperationHandle> profileDevice(Callback callback) = 0;

  protected:
    DeviceProfilingWrapper() = default;
    DeviceProfilingWrapper(const DeviceProfilingWrapper&) = default;
    DeviceProfilingWrapper& operator=(const DeviceProfilingWrapper&) = default;
};

}  // namespace corvend
