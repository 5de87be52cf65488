#include "CorvendWallet/ui/foundation/AppearanceImages.hpp"

#include <memory>

#include "CorvendWallet/ui/foundation/WalletAssets.hpp"

namespace corvend {

namespace {

using platform::ui::SymbolConfiguration;
using platform::ui::SymbolWeight;
using Resource = AppearanceImageResource;

components::CorvendCoreComponentsImageAsset asset(const Resource& resource) {
    using Asset = components::CorvendCoreComponentsImageAsset;
    if (const auto* symbol = std::get_if<Resource::System>(&resource.value())) {
        return Asset::system(symbol->name, symbol->configuration);
    }
    const auto& named = std::get<Resource::Named>(resource.value());
    return Asset::named(named.name, std::make_shared<const BundleImageSource>(named.bundle));
}

}  // namespace

AppearanceImages::AppearanceImages()
    : iconError_{Resource::system("exclamationmark.triangle", SymbolConfiguration::make(13))},
      iconArrowLeft_{Resource::system("chevron.left")},
      checkboxSelected_{Resource::system("checkmark.square.fill")},
      checkboxNotSelected_{Resource::system("square")},
      iconHelp_{Resource::system("questionmark.circle", SymbolConfiguration::make(20))},
      creditCard_{Resource::system("creditcard", SymbolConfiguration::make(5))},
      iconClose_{Resource::system("xmark", SymbolConfiguration::make(13, SymbolWeight::bold))},
      iconInfo_{Resource::system("info.circle")} {}

components::CorvendCoreComponentsAssets AppearanceImages::assets() const {
    return {asset(checkboxNotSelected_), asset(checkboxSelected_), asset(iconArrowLeft_),
            asset(iconError_)};
}

}  // namespace corvend
