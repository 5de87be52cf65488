#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

#include "CorvendWallet/ui/foundation/ExpiryDateValidationComponent.hpp"

namespace corvend {

enum class ExpiryDateValidationResult : std::uint8_t { invalid, valid, expired };

// Checks an expiry date against the present month in GMT, whatever the device's time zone: a
// card stays valid through the last day of its month, and a month outside 1 to 12 is
// `invalid`. Reads the clock at each check; usable from any thread.
class ExpiryDateValidator {
  public:
    using Value = ExpiryDateValidationComponent;
    using Result = ExpiryDateValidationResult;
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    // `clock` gives the present moment; tests inject a fixed one.
    explicit ExpiryDateValidator(Clock clock = std::chrono::system_clock::now);

    ExpiryDateValidationResult validate(
        const std::optional<ExpiryDateValidationComponent>& component) const;

  private:
    Clock clock_;
};

}  // namespace corvend
