#include "CorvendWallet/ui/foundation/WalletAssets.hpp"

#include "CorvendWallet/ui/foundation/WalletBundle.hpp"
#include "platform/ui/FatalError.hpp"

namespace corvend {

void missingImageAsset(const std::string& name) {
    platform::ui::fatalError("Unable to load image asset named " + name + ".");
}

platform::ui::ImagePtr WalletImageAsset::image() const {
    auto image =
        platform::ui::Image::named(name, std::make_shared<const BundleImageSource>(bundle));
    if (!image) missingImageAsset(name);
    return image;
}

const WalletImageAsset& WalletAssets::logoMastercard() {
    static const WalletImageAsset asset{"logo_mastercard", WalletBundle::shared()};
    return asset;
}

const WalletImageAsset& WalletAssets::logoVisa() {
    static const WalletImageAsset asset{"logo_visa", WalletBundle::shared()};
    return asset;
}

const WalletImageAsset& WalletAssets::logoTembro() {
    static const WalletImageAsset asset{"logo_tembro", WalletBundle::shared()};
    return asset;
}

const WalletImageAsset& WalletAssets::logoVaskel() {
    static const WalletImageAsset asset{"logo_vaskel", WalletBundle::shared()};
    return asset;
}

}  // namespace corvend
