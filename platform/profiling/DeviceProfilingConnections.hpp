#pragma once

namespace corvend::platform {

// How the profiler reaches its server: how often it retries a failed connection and how long
// it waits for one. Set it up, then hand it over as a std::shared_ptr<const ...> under
// DeviceProfiling::kConnectionsKey; it is not changed afterwards, so any thread may read it.
class DeviceProfilingConnections {
  public:
    DeviceProfilingConnections() = default;

    int connectionRetryCount() const noexcept { return retryCount_; }
    void setConnectionRetryCount(int count) noexcept { retryCount_ = count; }

    // Seconds.
    double connectionTimeout() const noexcept { return timeout_; }
    void setConnectionTimeout(double seconds) noexcept { timeout_ = seconds; }

  private:
    int retryCount_ = 0;
    double timeout_ = 10.0;
};

}  // namespace corvend::platform
