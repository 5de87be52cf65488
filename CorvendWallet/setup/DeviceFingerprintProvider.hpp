#pragma once

#include <string>

namespace corvend {

// Yields the device fingerprint that money-movement requests carry: the session identifier of
// a device-profiling run.
class DeviceFingerprintProvider {
  public:
    virtual ~DeviceFingerprintProvider() = default;

    // Returns the fingerprint, reusing a recent one when still valid. Blocks while the device
    // is profiled; call it inside a task (never on the thread that drives the MainQueue).
    // Throws DeviceFingerprintProviderError when profiling yields no session identifier, and
    // platform::CancellationError when the current task is cancelled before or during
    // profiling. Thread-safe.
    virtual std::string fingerprint() = 0;

  protected:
    DeviceFingerprintProvider() = default;
    DeviceFingerprintProvider(const DeviceFingerprintProvider&) = default;
    DeviceFingerprintProvider& operator=(const DeviceFingerprintProvider&) = default;
};

}  // namespace corvend
