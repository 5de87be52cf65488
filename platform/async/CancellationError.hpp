#pragma once

#include <exception>

namespace corvend::platform {

// Thrown when the current task has been cancelled. Deliberately not derived from any kit
// error type: callers tell "cancelled" apart from "failed" by type.
class CancellationError : public std::exception {
  public:
    const char* what() const noexcept override { return "CancellationError"; }
};

}  // namespace corvend::platform
