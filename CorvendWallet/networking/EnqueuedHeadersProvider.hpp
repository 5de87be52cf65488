#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "CorvendWallet/core/foundation/SerialQueueIsolated.hpp"

namespace corvend {

// One pending extra header.
struct EnqueuedHeader {
    std::string header;
    std::string value;
};

// The queue of pending extra headers that the network managers share.
class EnqueuedHeadersProviding {
  public:
    virtual ~EnqueuedHeadersProviding() = default;
    // Removes and returns the first pending header, if any. Blocks until the queue has run.
    virtual std::optional<EnqueuedHeader> dequeueHeader() = 0;
};

// The kit offers no way to add a header, so every dequeue answers absent; each request still
// asks once, so a header, were there one, would go to exactly one request.
class EnqueuedHeadersProvider final : public EnqueuedHeadersProviding {
  public:
    EnqueuedHeadersProvider();
    std::optional<EnqueuedHeader> dequeueHeader() override;

  private:
    struct State {
        std::deque<EnqueuedHeader> headersQueue;
    };
    std::shared_ptr<SerialQueueIsolated<State>> state_;
};

}  // namespace corvend
