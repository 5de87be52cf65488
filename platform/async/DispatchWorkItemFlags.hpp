#pragma once

namespace corvend::platform {

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
