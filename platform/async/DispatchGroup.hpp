#pragma once

#include <functional>
#include <memory>

namespace corvend::platform {

// Counts outstanding work; notify() and wait() observe when the count returns to zero.
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

// Quality of service of queued work. Recorded only: the pool has one priority.
enum class DispatchQoS {
    unspecified,
    background,
    utility,
    defaultQoS,
    userInitiated,
    userInteractive
};

// Flags of queued work. `barrier` is trivially satisfied by a serial queue; the others are
// accepted and recorded only.
enum class DispatchWorkItemFlags : unsigned {
    none = 0,
    barrier = 1u << 0,
    detached = 1u << 1,
    assignCurrentContext = 1u << 2,
    noQoS = 1u << 3,
    inheritQoS = 1u << 4,
    enforceQoS = 1u << 5,
};

}  // namespace corvend::platform
