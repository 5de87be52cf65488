#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "CorvendWallet/foundation/DispatchQueueProtocol.hpp"
#include "CorvendWallet/foundation/LockIsolated.hpp"
#include "CorvendWallet/foundation/Passkey.hpp"
#include "CorvendWallet/foundation/Result.hpp"
#include "CorvendWallet/foundation/UncheckedSendable.hpp"
#include "CorvendWallet/foundation/WalletOperationHandle.hpp"
#include "CorvendWallet/setup/DeviceFingerprintProvider.hpp"
#include "CorvendWallet/setup/DeviceFingerprintProviderConfigurable.hpp"
#include "CorvendWallet/setup/DeviceFingerprintProviderConfiguration.hpp"
#include "CorvendWallet/setup/DeviceProfilingWrapper.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend {

// The kit's fingerprint provider: profiles the device with the platform's profiler and keeps
// the last identifier of a successful run (status kStatusOK) while it is younger than the
// session expiry the service configured. Every call into the profiler starts on one serial
// worker queue, in submission order: first the fetch of the profiler, then each configuration
// and each run as they were asked for. Calls are not merged: each call that finds no valid
// cached value starts a run of its own. Thread-safe.
class ProfilingDeviceFingerprintProvider final
    : public DeviceFingerprintProvider,
      public DeviceFingerprintProviderConfigurable,
      public std::enable_shared_from_this<ProfilingDeviceFingerprintProvider> {
    using Passkey = corvend::Passkey<ProfilingDeviceFingerprintProvider>;

  public:
    // Returns the profiler, or null when there is none.
    using ProfilingProvider = std::function<std::shared_ptr<DeviceProfilingWrapper>()>;
    using Clock = std::function<platform::Date()>;

    // A provider over `workerQueue` (not null; serial) that fetches its profiler from
    // `profilingProvider` on that queue, as the queue's first item. `clock` (not null; called
    // from any thread) tells the current date for the cache.
    static std::shared_ptr<ProfilingDeviceFingerprintProvider> make(
        std::shared_ptr<DispatchQueueProtocol> workerQueue, ProfilingProvider profilingProvider,
        Clock clock = &platform::Date::now);

    // The worker queue a provider of the kit uses: a new serial queue.
    static std::shared_ptr<DispatchQueueProtocol> makeWorkerQueue();

    ProfilingDeviceFingerprintProvider(Passkey, std::shared_ptr<DispatchQueueProtocol> workerQueue,
                                       Clock clock);

    // Beyond the interface's contract: a valid cached value comes back without any queue hop,
    // even when the current task is cancelled; a missing profiler also fails the call with
    // DeviceFingerprintProviderError; a cancel before the run queues nothing, one during it
    // cancels the queued work, then the profiler's run. A run that never reports keeps the
    // caller waiting until its task is cancelled.
    std::string fingerprint() override;

    // Sets the cache's lifetime at once (absent: no expiry; a negative one: no reuse); it also
    // applies to a value cached earlier, counted from when that value was taken. Then, on the
    // worker queue, configures the profiler with exactly the organisation, the server and a
    // fresh connections object (3 retries, 5 s time-out). The lifetime is not passed on.
    void configure(const DeviceFingerprintProviderConfiguration& configuration) override;

  private:
    struct State {
        std::optional<double> fingerprintExpirationInterval;
        std::optional<platform::Date> fingerprintTakenDate;
        std::optional<std::string> deviceFingerprint;
    };
    using Completion = std::function<void(Result<std::string>)>;

    // The cached fingerprint of `state` if it is still valid at `now`.
    static std::optional<std::string> validFingerprint(const State& state, platform::Date now);

    // Starts one profiling run on the worker queue; `completion` gets its outcome.
    std::shared_ptr<WalletOperationHandle> profile(Completion completion);

    // The result step of a run: reports the session identifier (caching it on kStatusOK).
    static void finishRun(const std::weak_ptr<ProfilingDeviceFingerprintProvider>& weakSelf,
                          const std::optional<DeviceProfilingWrapper::Dictionary>& result,
                          const Completion& completion);

    const std::shared_ptr<DispatchQueueProtocol> workerQueue_;
    LockIsolated<State> state_;
    // Written once and read only on the worker queue.
    UncheckedSendable<std::shared_ptr<DeviceProfilingWrapper>> profiling_;
    const Clock clock_;
};

}  // namespace corvend
