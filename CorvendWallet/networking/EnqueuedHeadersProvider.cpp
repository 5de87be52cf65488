#include "CorvendWallet/networking/EnqueuedHeadersProvider.hpp"

#include "platform/async/SerialQueue.hpp"

namespace corvend {

EnqueuedHeadersProvider::EnqueuedHeadersProvider()
    : state_(SerialQueueIsolated<State>::make(platform::SerialQueue::make(""), State{})) {}

std::optional<EnqueuedHeader> EnqueuedHeadersProvider::dequeueHeader() {
    return state_->withValue([](State& state) -> std::optional<EnqueuedHeader> {
        if (state.headersQueue.empty()) return std::nullopt;
        auto first = std::move(state.headersQueue.front());
        state.headersQueue.pop_front();
        return first;
    });
}

}  // namespace corvend
