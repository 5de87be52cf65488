#include "CorvendWallet/ui/foundation/WalletBundle.hpp"

namespace corvend {

const std::shared_ptr<platform::Bundle>& WalletBundle::shared() {
    static const std::shared_ptr<platform::Bundle> bundle =
        platform::Bundle::make(kIdentifier, walletResourceFiles());
    return bundle;
}

}  // namespace corvend
