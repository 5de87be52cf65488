#include "CorvendCoreComponents/CorvendCoreComponentsImageAsset.hpp"

namespace corvend::components {

CorvendCoreComponentsImageAsset CorvendCoreComponentsImageAsset::system(
    std::string name, platform::ui::SymbolConfigurationPtr config) {
    return CorvendCoreComponentsImageAsset(System{std::move(name), std::move(config)});
}

CorvendCoreComponentsImageAsset CorvendCoreComponentsImageAsset::named(
    std::string name, std::shared_ptr<const platform::ui::ImageSource> bundle) {
    return CorvendCoreComponentsImageAsset(Named{std::move(name), std::move(bundle)});
}

const std::string& CorvendCoreComponentsImageAsset::name() const {
    return std::visit([](const auto& asset) -> const std::string& { return asset.name; }, value_);
}

platform::ui::ImagePtr CorvendCoreComponentsImageAsset::image() const {
    if (const auto* symbol = std::get_if<System>(&value_))
        return platform::ui::Image::system(symbol->name, symbol->config);
    const auto& asset = std::get<Named>(value_);
    return platform::ui::Image::named(asset.name, asset.bundle);
}

}  // namespace corvend::components
