#pragma once

#include "sandbox/SandboxOptions.hpp"

namespace corvend::cli {

// The options of the sandbox the host starts for itself when given no base URL: bounded as
// wallet-sandbox is, since a session may run for days.
sandbox::SandboxOptions ownSandboxOptions();

}  // namespace corvend::cli
