#pragma once

#include "CorvendWallet/CorvendWallet.hpp"
#include "examples/wallet-cli/CommandTable.hpp"

namespace corvend::cli {

// How a command whose kit call failed with `error` ends: `misused` for a word the kit refused
// before anything was sent (an identifier that makes no address, "I0001"; a body it cannot
// write, "I0002"), as any word refused before sending is; `failed` for any other failure.
Outcome failureOutcome(const Error& error);

}  // namespace corvend::cli
