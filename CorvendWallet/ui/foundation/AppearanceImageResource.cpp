#include "CorvendWallet/ui/foundation/AppearanceImageResource.hpp"

#include "CorvendWallet/ui/foundation/WalletAssets.hpp"

namespace corvend {

AppearanceImageResource AppearanceImageResource::system(
    std::string name, platform::ui::SymbolConfigurationPtr configuration) {
    return AppearanceImageResource(System{std::move(name), std::move(configuration)});
}

AppearanceImageResource AppearanceImageResource::named(
    std::string name, std::shared_ptr<const platform::Bundle> bundle) {
    return AppearanceImageResource(Named{std::move(name), std::move(bundle)});
}

const std::string& AppearanceImageResource::name() const {
    return std::visit([](const auto& resource) -> const std::string& { return resource.name; },
                      value_);
}

platform::ui::ImagePtr AppearanceImageResource::image() const {
    if (const auto* named = std::get_if<Named>(&value_)) {
        return WalletImageAsset{named->name, named->bundle}.image();
    }
    const auto& symbol = std::get<System>(value_);
    auto image = platform::ui::Image::system(symbol.name, symbol.configuration);
    if (!image) missingImageAsset(symbol.name);
    return image;
}

bool operator==(const AppearanceImageResource& a, const AppearanceImageResource& b) {
    if (const auto* left = std::get_if<AppearanceImageResource::System>(&a.value_)) {
        const auto* right = std::get_if<AppearanceImageResource::System>(&b.value_);
        return right && left->name == right->name && left->configuration == right->configuration;
    }
    const auto& left = std::get<AppearanceImageResource::Named>(a.value_);
    const auto* right = std::get_if<AppearanceImageResource::Named>(&b.value_);
    return right && left.name == right->name && left.bundle == right->bundle;
}

}  // namespace corvend
