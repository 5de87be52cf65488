#include "platform/async/ExitGate.hpp"

namespace corvend::platform {

// Sequentially consistent throughout: enter() counts itself before it reads `closed_`, close()
// sets `closed_` before it reads the count, so one of the two always sees the other.

ExitGate::Pass ExitGate::enter() noexcept {
    passes_.fetch_add(1);
    if (closed_.load()) {
        leave();
        return Pass(nullptr);
    }
    return Pass(this);
}

void ExitGate::leave() noexcept {
    if (passes_.fetch_sub(1) == 1 && closed_.load()) passes_.notify_all();
}

void ExitGate::close() noexcept {
    closed_.store(true);
    for (std::size_t inside = passes_.load(); inside != 0; inside = passes_.load()) {
        passes_.wait(inside);
    }
}

}  // namespace corvend::platform
