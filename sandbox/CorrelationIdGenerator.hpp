#pragma once

#include <cstdint>
#include <mutex>
#include <random>
#include <string>

namespace corvend::sandbox {

// Makes the identifiers sent in "x-internal-correlation-id": random version-4 UUIDs in
// lower-case text. Safe to call from any thread.
class CorrelationIdGenerator {
  public:
    CorrelationIdGenerator();

    std::string next();

  private:
    std::mutex mutex_;
    std::mt19937_64 engine_;
};

}  // namespace corvend::sandbox
