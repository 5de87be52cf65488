#pragma once

#include <optional>
#include <string>

namespace corvend {

// One pending extra header.
struct EnqueuedHeader {
    std::string header;
    std::string value;
};

// The queue of pending extra headers that the network managers share: each request takes at
// most one pair from it.
class EnqueuedHeadersProviding {
  public:
    virtual ~EnqueuedHeadersProviding() = default;
    // Removes and returns the first pending header, if any. Blocks until the queue has run.
    virtual std::optional<EnqueuedHeader> dequeueHeader() = 0;
};

}  // namespace corvend
