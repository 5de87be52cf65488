#pragma once

#include "RouteContext.hpp"

namespace corvend::sandbox {

// GET digitalwallets/v1/auth/configurations: the kit's configuration, for a bearer token equal
// to `SandboxOptions::configurationToken` (401 otherwise).
void addConfigurationRoutes(const RouteContext& context);

}  // namespace corvend::sandbox
