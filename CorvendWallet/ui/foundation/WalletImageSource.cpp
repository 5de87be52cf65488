#include "CorvendWallet/ui/foundation/WalletImageSource.hpp"

#include "CorvendWallet/ui/foundation/WalletBundle.hpp"

namespace corvend {

const std::shared_ptr<const WalletImageSource>& WalletImageSource::shared() {
    static const std::shared_ptr<const WalletImageSource> source =
        std::make_shared<const WalletImageSource>();
    return source;
}

std::optional<std::string> WalletImageSource::imageData(const std::string& name) const {
    return WalletBundle::shared()->imageData(name);
}

}  // namespace corvend
