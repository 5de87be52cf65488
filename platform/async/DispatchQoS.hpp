#pragma once

namespace corvend::platform {

// Quality of service of queued work. Recorded only: the pool has one priority.
enum class DispatchQoS {
    unspecified,
    background,
    utility,
    defaultQoS,
    userInitiated,
    userInteractive
};

}  // namespace corvend::platform
