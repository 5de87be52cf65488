#include "platform/web/NavigationDecisionHandler.hpp"

#include <atomic>

#include "platform/async/MainQueue.hpp"

namespace corvend::platform::web {

struct NavigationDecisionHandler::State {
    explicit State(std::function<void(NavigationActionPolicy)> decide)
        : decide(std::move(decide)) {}
    // A handler dropped uncalled must not leave its navigation waiting for ever.
    ~State() { deliver(NavigationActionPolicy::cancel); }

    void deliver(NavigationActionPolicy policy) {
        if (decided.exchange(true)) return;
        MainQueue::shared().async([decide = std::move(decide), policy] { decide(policy); });
    }

    std::function<void(NavigationActionPolicy)> decide;
    std::atomic<bool> decided = false;
};

NavigationDecisionHandler NavigationDecisionHandler::make(
    std::function<void(NavigationActionPolicy)> decide) {
    return NavigationDecisionHandler(std::make_shared<State>(std::move(decide)));
}

void NavigationDecisionHandler::operator()(NavigationActionPolicy policy) const {
    state_->deliver(policy);
}

bool NavigationDecisionHandler::isDecided() const {
    return state_->decided.load();
}

}  // namespace corvend::platform::web
