#include "CorvendWallet/ui/foundation/WalletAssets.hpp"

#include <array>
#include <cstddef>

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

const WalletImageAsset& WalletAssets::logo(Logo logo) {
    static const std::array<WalletImageAsset, 4> logos{{
        {"logo_mastercard", WalletBundle::shared()},
        {"logo_visa", WalletBundle::shared()},
        {"logo_tembro", WalletBundle::shared()},
        {"logo_vaskel", WalletBundle::shared()},
    }};
    return logos.at(static_cast<std::size_t>(logo));
}

}  // namespace corvend
