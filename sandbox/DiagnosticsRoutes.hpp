#pragma once

#include "RouteContext.hpp"

namespace corvend::sandbox {

// GET digitalwallets/v1/sandbox/ping: a small fixed JSON reply, for tests and benchmarks
// that need a route with no logic behind it.
void addDiagnosticsRoutes(const RouteContext& context);

}  // namespace corvend::sandbox
