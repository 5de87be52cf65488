#pragma once

#include <any>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/profiling/DeviceProfilingHandle.hpp"

namespace corvend::platform {

// The device profiler: configured with options, it profiles the device on request and reports
// a session identifier that the wallet service can look up. This one profiles locally: every
// run succeeds with a fresh random identifier. Thread-safe.
class DeviceProfiling {
  public:
    // Options and results: text keys (the constants below), values of any type.
    using Dictionary = std::map<std::string, std::any, std::less<>>;
    // Receives the run's result dictionary, or nothing when the run produced none.
    using Callback = std::function<void(std::optional<Dictionary>)>;
    // Runs a job later, on some other thread.
    using Executor = std::function<void(std::function<void()>)>;

    // Option keys. Values: text, text, std::shared_ptr<const DeviceProfilingConnections>.
    static constexpr const char* kOrganizationIDKey = "organizationID";
    static constexpr const char* kFingerprintServerKey = "fingerprintServer";
    static constexpr const char* kConnectionsKey = "connections";

    // Result keys. Values: the session identifier as std::string; the status as int.
    static constexpr const char* kSessionIDKey = "sessionID";
    static constexpr const char* kProfileStatusKey = "profileStatus";

    // The status of a successful run.
    static constexpr int kStatusOK = 1;

    // The process-wide profiler; never null, never destroyed (callbacks may still be in
    // flight at exit).
    static std::shared_ptr<DeviceProfiling> shared();

    // A profiler of its own that delivers reports through `executor`; an empty executor means
    // the shared task pool.
    static std::shared_ptr<DeviceProfiling> make(Executor executor = {});

    explicit DeviceProfiling(Executor executor);
    DeviceProfiling(const DeviceProfiling&) = delete;
    DeviceProfiling& operator=(const DeviceProfiling&) = delete;

    // Replaces the options used by later runs.
    void configure(Dictionary options);

    // The options last given to configure(), or nothing before the first.
    std::optional<Dictionary> options() const;

    // Starts a run and returns at once. `callback` is called later, never inside this call,
    // on the executor's thread, with {kSessionIDKey: 32 lower-case hex digits, kProfileStatusKey:
    // kStatusOK} — unless the returned handle is cancelled first.
    std::shared_ptr<DeviceProfilingHandle> profileDevice(Callback callback);

  private:
    Executor executor_;
    mutable std::mutex mutex_;
    std::optional<Dictionary> options_;
};

}  // namespace corvend::platform
