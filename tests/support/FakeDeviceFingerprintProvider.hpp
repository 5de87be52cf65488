#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/setup/DeviceFingerprintProvider.hpp"
#include "CorvendWallet/setup/DeviceFingerprintProviderConfigurable.hpp"

namespace corvend::testing {

// Answers a fixed fingerprint, or, while `fail` is set, calls `failure`, which throws (by
// default a std::runtime_error); counts the calls. Records the set-up's configurations.
class FakeDeviceFingerprintProvider : public DeviceFingerprintProvider,
                                      public DeviceFingerprintProviderConfigurable {
  public:
    using Failure = std::function<void()>;

    explicit FakeDeviceFingerprintProvider(
        std::string fingerprint = "fp-1",
        Failure failure = [] { throw std::runtime_error("no profiling session"); })
        : fingerprint_(std::move(fingerprint)), failure_(std::move(failure)) {}

    std::string fingerprint() override {
        ++calls;
        if (fail) failure_();
        return fingerprint_;
    }

    void configure(const DeviceFingerprintProviderConfiguration& configuration) override {
        std::lock_guard lock(mutex_);
        configurations.push_back(configuration);
    }

    std::atomic<bool> fail{false};
    std::atomic<int> calls{0};
    // What configure() was given, in order; read it once the set-up has returned.
    std::vector<DeviceFingerprintProviderConfiguration> configurations;

  private:
    std::string fingerprint_;
    Failure failure_;
    std::mutex mutex_;
};

}  // namespace corvend::testing
