#pragma once

#include <atomic>
#include <memory>

namespace corvend::platform {

// One profiling run, as seen by whoever started it. The run reports through its callback at
// most once; cancel() keeps a report that has not been delivered yet from being delivered.
class DeviceProfilingHandle {
  public:
    static std::shared_ptr<DeviceProfilingHandle> make();

    // Callable from any thread, any number of times. A report already being delivered still
    // arrives.
    void cancel() noexcept;
    bool isCancelled() const noexcept;

    // For the profiler: claims the one delivery. False when the run was cancelled or its
    // report was already claimed.
    bool claimDelivery() noexcept;

  private:
    enum class Phase { pending, cancelled, delivered };
    std::atomic<Phase> phase_{Phase::pending};
};

}  // namespace corvend::platform
