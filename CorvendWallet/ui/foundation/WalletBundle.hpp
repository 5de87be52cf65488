#pragma once

#include <memory>
#include <span>

#include "platform/foundation/Bundle.hpp"

namespace corvend {

// The files of CorvendWallet/resources, embedded at build time.
std::span<const platform::Bundle::File> walletResourceFiles();

// The kit's own resource bundle: its "Localizable" texts, its logo images and its information
// dictionary. Made once, on first use, from the embedded files; never read from disk.
class WalletBundle {
  public:
    static constexpr const char* kIdentifier = "com.corvend.CorvendWallet";

    static const std::shared_ptr<platform::Bundle>& shared();
};

}  // namespace corvend
