#include "CorvendWallet/setup/ProfilingDeviceFingerprintProvider.hpp"

#include <any>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <utility>

#include "CorvendWallet/foundation/CompositeOperationHandle.hpp"
#include "CorvendWallet/setup/DeviceFingerprintProviderError.hpp"
#include "CorvendWallet/setup/DeviceProfilingOperation.hpp"
#include "CorvendWallet/foundation/DispatchQueue.hpp"
#include "CorvendWallet/foundation/WithWalletOperation.hpp"
#include "platform/async/WorkItem.hpp"
#include "platform/profiling/DeviceProfiling.hpp"
#include "platform/profiling/DeviceProfilingConnections.hpp"

namespace corvend {

namespace {

using platform::DeviceProfiling;
using Dictionary = DeviceProfilingWrapper::Dictionary;

constexpr int kConnectionRetryCount = 3;
constexpr double kConnectionTimeoutSeconds = 5.0;

const std::any* find(const Dictionary& dictionary, std::string_view key) {
    const auto entry = dictionary.find(key);
    return entry == dictionary.end() ? nullptr : &entry->second;
}

// Text under `key`; anything else counts as missing.
std::optional<std::string> textValue(const Dictionary& dictionary, std::string_view key) {
    const auto* value = find(dictionary, key);
    if (value == nullptr) return std::nullopt;
    if (const auto* text = std::any_cast<std::string>(value)) return *text;
    if (const auto* text = std::any_cast<const char*>(value); text != nullptr && *text != nullptr) {
        return std::string(*text);
    }
    return std::nullopt;
}

template <class... Ints>
std::optional<bool> isIntegerEqual(const std::any& value, int expected) {
    std::optional<bool> equal;
    (
        [&] {
            if (const auto* number = std::any_cast<Ints>(&value)) {
                equal = std::cmp_equal(*number, expected);
            }
        }(),
        ...);
    return equal;
}

// Whether the status under `key` is an integer equal to kStatusOK; absent when there is no
// integer status (a text or a fraction counts as none).
std::optional<bool> statusIsOK(const Dictionary& dictionary, std::string_view key) {
    const auto* value = find(dictionary, key);
    if (value == nullptr) return std::nullopt;
    return isIntegerEqual<int, long, long long, short, unsigned, unsigned long, unsigned long long,
                          unsigned short>(*value, DeviceProfiling::kStatusOK);
}

Result<std::string> unknownFailure() {
    return std::unexpected(Error::make(DeviceFingerprintProviderError::unknown()));
}

}  // namespace

std::shared_ptr<ProfilingDeviceFingerprintProvider> ProfilingDeviceFingerprintProvider::make(
    std::shared_ptr<DispatchQueueProtocol> workerQueue, ProfilingProvider profilingProvider,
    Clock clock) {
    auto provider = std::make_shared<ProfilingDeviceFingerprintProvider>(
        Passkey{}, std::move(workerQueue), std::move(clock));
    // The queue's first item, so every later configuration and run sees the fetched profiler.
    provider->workerQueue_->async(
        [weakSelf = provider->weak_from_this(), fetch = std::move(profilingProvider)] {
            if (auto self = weakSelf.lock()) self->profiling_.value = fetch ? fetch() : nullptr;
        });
    return provider;
}

std::shared_ptr<DispatchQueueProtocol> ProfilingDeviceFingerprintProvider::makeWorkerQueue() {
    return DispatchQueue::make("com.corvend.wallet.ProfilingDeviceFingerprintProvider");
}

ProfilingDeviceFingerprintProvider::ProfilingDeviceFingerprintProvider(
    Passkey, std::shared_ptr<DispatchQueueProtocol> workerQueue, Clock clock)
    : workerQueue_(std::move(workerQueue)), clock_(std::move(clock)) {
    if (!workerQueue_) throw std::invalid_argument("the fingerprint provider needs a queue");
    if (!clock_) throw std::invalid_argument("the fingerprint provider needs a clock");
}

std::optional<std::string> ProfilingDeviceFingerprintProvider::validFingerprint(
    const State& state, platform::Date now) {
    if (!state.deviceFingerprint) return std::nullopt;
    if (!state.fingerprintExpirationInterval || !state.fingerprintTakenDate) {
        return state.deviceFingerprint;
    }
    // Whole microseconds, as dates hold them; exact in a double for any date of this era.
    const double elapsed =
        static_cast<double>(now.timePoint().time_since_epoch().count()) -
        static_cast<double>(state.fingerprintTakenDate->timePoint().time_since_epoch().count());
    const double lifetime = std::round(*state.fingerprintExpirationInterval * 1e6);
    // Expired only when taken + lifetime is strictly earlier than now; a NaN lifetime never
    // compares, so it never expires.
    if (elapsed > lifetime) return std::nullopt;
    return state.deviceFingerprint;
}

std::string ProfilingDeviceFingerprintProvider::fingerprint() {
    const auto snapshot = state_.withValue([](const State& state) { return state; });
    if (auto cached = validFingerprint(snapshot, clock_())) return *std::move(cached);

    return withWalletOperation<std::string>(
        [self = shared_from_this()](Completion completion) { return self->profile(completion); });
}

std::shared_ptr<WalletOperationHandle> ProfilingDeviceFingerprintProvider::profile(
    Completion completion) {
    auto composite = CompositeOperationHandle::make();
    // Set before the composite cancels anything: a profiler run that starts while the cancel is
    // under way sees it and is cancelled as soon as its handle exists.
    auto cancelled = std::make_shared<std::atomic<bool>>(false);

    auto item = std::make_shared<platform::WorkItem>(
        [weakSelf = weak_from_this(), completion, composite, cancelled] {
            if (cancelled->load()) return;  // cancelled while it was being dequeued
            auto self = weakSelf.lock();
            auto profiling = self ? self->profiling_.value : nullptr;
            self.reset();
            if (!profiling) {
                completion(unknownFailure());
                return;
            }
            auto run =
                profiling->profileDevice([weakSelf, completion](std::optional<Dictionary> result) {
                    finishRun(weakSelf, result, completion);
                });
            composite->add(run);
            if (run && cancelled->load()) run->cancel();
        });
    // Added before the item is queued, so the composite always cancels the queued work first
    // and the profiler's run second. Weak: the item holds the composite.
    composite->add(
        DeviceProfilingOperation::make([weakItem = std::weak_ptr<platform::WorkItem>(item)] {
            if (auto queued = weakItem.lock()) queued->cancel();
        }));
    workerQueue_->async(std::move(item));

    return DeviceProfilingOperation::make([composite, cancelled] {
        cancelled->store(true);
        composite->cancel();
    });
}

void ProfilingDeviceFingerprintProvider::finishRun(
    const std::weak_ptr<ProfilingDeviceFingerprintProvider>& weakSelf,
    const std::optional<Dictionary>& result, const Completion& completion) {
    const auto sessionID =
        result ? textValue(*result, DeviceProfiling::kSessionIDKey) : std::nullopt;
    if (!sessionID) {
        completion(unknownFailure());
        return;
    }
    if (statusIsOK(*result, DeviceProfiling::kProfileStatusKey).value_or(false)) {
        if (auto self = weakSelf.lock()) {
            const auto takenDate = self->clock_();
            self->state_.withValue([&](State& state) {
                state.deviceFingerprint = *sessionID;
                state.fingerprintTakenDate = takenDate;
            });
        }
    }
    completion(*sessionID);
}

void ProfilingDeviceFingerprintProvider::configure(
    const DeviceFingerprintProviderConfiguration& configuration) {
    auto connections = std::make_shared<platform::DeviceProfilingConnections>();
    connections->setConnectionRetryCount(kConnectionRetryCount);
    connections->setConnectionTimeout(kConnectionTimeoutSeconds);

    state_.withValue(
        [&](State& state) { state.fingerprintExpirationInterval = configuration.sessionExpiry; });

    workerQueue_->async([weakSelf = weak_from_this(), configuration,
                         connections = std::shared_ptr<const platform::DeviceProfilingConnections>(
                             std::move(connections))] {
        auto self = weakSelf.lock();
        auto profiling = self ? self->profiling_.value : nullptr;
        self.reset();
        if (!profiling) return;
        profiling->configure(Dictionary{
            {DeviceProfiling::kOrganizationIDKey, configuration.organizationID},
            {DeviceProfiling::kFingerprintServerKey, configuration.screenHost},
            {DeviceProfiling::kConnectionsKey, connections},
        });
    });
}

}  // namespace corvend
