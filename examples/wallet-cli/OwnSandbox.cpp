#include "examples/wallet-cli/OwnSandbox.hpp"

namespace corvend::cli {

sandbox::SandboxOptions ownSandboxOptions() {
    return sandbox::SandboxOptions::standalone();
}

}  // namespace corvend::cli
