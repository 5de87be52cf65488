#pragma once

#include <functional>
#include <memory>

#include "platform/web/NavigationActionPolicy.hpp"

namespace corvend::platform::web {

// Takes a delegate's decision on one navigation. Copies share one decision: the first call
// decides, later calls are ignored, and when the last copy goes away without a call the
// navigation is cancelled. Callable from any thread; the web view acts on the decision on the
// main queue, never inside the call.
class NavigationDecisionHandler {
  public:
    // `decide` runs once on the main queue with the decision (cancel when none was made).
    static NavigationDecisionHandler make(std::function<void(NavigationActionPolicy)> decide);

    void operator()(NavigationActionPolicy policy) const;
    // A call has been made (by any copy).
    bool isDecided() const;

  private:
    struct State;
    explicit NavigationDecisionHandler(std::shared_ptr<State> state) : state_(std::move(state)) {}
    std::shared_ptr<State> state_;
};

}  // namespace corvend::platform::web
