#pragma once

#include <memory>

#include "CorvendWallet/setup/DeviceProfilingWrapper.hpp"
#include "platform/profiling/DeviceProfiling.hpp"

namespace corvend {

// The platform's device profiler behind the kit's wrapper: options and results pass through
// unchanged; a run's handle is a DeviceProfilingOperation that cancels the profiler's run.
class DeviceProfilingAdapter final : public DeviceProfilingWrapper {
  public:
    // `profiling` must not be null.
    explicit DeviceProfilingAdapter(std::shared_ptr<platform::DeviceProfiling> profiling);

    // The wrapper over the process-wide profiler, or null when the platform has none. This is
    // the fingerprint provider's profiling source at start-up.
    static std::shared_ptr<DeviceProfilingWrapper> shared();

    void configure(const Dictionary& options) override;
    std::shared_ptr<WalletOperationHandle> profileDevice(Callback callback) override;

  private:
    std::shared_ptr<platform::DeviceProfiling> profiling_;
};

}  // namespace corvend
