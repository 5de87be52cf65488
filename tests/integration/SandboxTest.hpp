#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "CorvendWallet/core/Result.hpp"
#include "CorvendWallet/networking/EnqueuedHeadersProvider.hpp"
#include "CorvendWallet/networking/NetworkManager.hpp"
#include "sandbox/Sandbox.hpp"
#include "tests/integration/FixedEnvironmentProperties.hpp"

namespace corvend::integration {

// Generous: reached only when the behaviour under test is broken.
inline constexpr std::chrono::milliseconds kDeadline{10'000};

// Runs `fn` and returns what it threw. A call that returns normally fails the test and yields
// an "Unknown error".
template <class F>
Error failureOf(F&& fn) {
    auto result = captureResult(std::forward<F>(fn));
    if (result) {
        ADD_FAILURE() << "the call succeeded where a failure was expected";
        return Error(nullptr);
    }
    return std::move(result).error();
}

// A sandbox started for each test, and what the kit needs to reach it: managers made as the
// kit makes them (one URL session each, one shared pending-header queue) and a fixed identity.
class SandboxTest : public ::testing::Test {
  protected:
    SandboxTest();
    // Frees held replies first, so no serving thread waits on a test that has ended.
    ~SandboxTest() override;

    // A manager with a URL session of its own; not configured.
    std::shared_ptr<NetworkManager> makeManager() const;

    // The environment the set-up gives each manager: the sandbox's base URL, the three kit
    // headers, a 15 s time-out, and `token` when given.
    NetworkManagerEnvironment environment(std::optional<std::string> token = std::nullopt) const;

    // makeManager() given environment(token).
    std::shared_ptr<NetworkManager> configuredManager(
        std::optional<std::string> token = std::nullopt) const;

    // The correlation identifier the sandbox answered the latest recorded request with.
    std::optional<std::string> lastRecordedCorrelationId() const;

    sandbox::Sandbox sandbox;
    const std::shared_ptr<FixedEnvironmentProperties> properties =
        std::make_shared<FixedEnvironmentProperties>();
    const std::shared_ptr<EnqueuedHeadersProvider> enqueuedHeaders =
        std::make_shared<EnqueuedHeadersProvider>();
};

}  // namespace corvend::integration
