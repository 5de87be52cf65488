#pragma once

#include "MemoryStore.hpp"
#include "RouteTable.hpp"
#include "SandboxOptions.hpp"

namespace corvend::sandbox {

// What a domain's routes are installed with. Every reference outlives the routes: the
// sandbox owns all of them and stops serving before it lets them go.
struct RouteContext {
    RouteTable& routes;
    MemoryStore& store;
    const SandboxOptions& options;
};

}  // namespace corvend::sandbox
