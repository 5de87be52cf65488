#pragma once

#include <deque>
#include <memory>
#include <optional>

#include "CorvendWallet/foundation/SerialQueueIsolated.hpp"
#include "CorvendWallet/networking/EnqueuedHeadersProviding.hpp"

namespace corvend {

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
