#pragma once

#include <functional>
#include <memory>

namespace corvend::platform {

// Counts outstanding work; notify() and wait() observe when the count returns to zero. Every
// operation may be called from any thread.
class DispatchGroup {
  public:
    DispatchGroup();
    void enter();
    // Throws std::logic_error when there is no matching enter().
    void leave();
    void wait();
    // Posts `job` to the shared TaskPool once the group is empty (at once if it already is).
    void notify(std::function<void()> job);

  private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace corvend::platform
