#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace corvend::platform {

// A random (version 4) universally unique identifier.
class UUID {
  public:
    // A new random identifier; safe to call from any thread.
    UUID();

    // "E621E1F8-C36C-495A-93FC-0C247A3E6E5F": upper-case hexadecimal in 8-4-4-4-12 groups.
    std::string uuidString() const;

    friend bool operator==(const UUID&, const UUID&) = default;

  private:
    std::array<std::uint8_t, 16> bytes_{};
};

}  // namespace corvend::platform
