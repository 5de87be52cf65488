#pragma once

#include <atomic>
#include <stdexcept>
#include <string>
#include <utility>

#include "CorvendWallet/setup/DeviceFingerprintProvider.hpp"

namespace corvend::testing {

// Answers a fixed fingerprint, or throws when `fail` is set; counts the calls.
class FakeDeviceFingerprintProvider : public DeviceFingerprintProvider {
  public:
    explicit FakeDeviceFingerprintProvider(std::string fingerprint = "fp-1")
        : fingerprint_(std::move(fingerprint)) {}

    std::string fingerprint() override {
        ++calls;
        if (fail) throw std::runtime_error("no profiling session");
        return fingerprint_;
    }

    std::atomic<bool> fail{false};
    std::atomic<int> calls{0};

  private:
    std::string fingerprint_;
};

}  // namespace corvend::testing
