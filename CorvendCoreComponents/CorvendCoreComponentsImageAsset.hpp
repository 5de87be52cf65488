#pragma once

#include <memory>
#include <string>
#include <variant>

#include "platform/ui/Image.hpp"

namespace corvend::components {

// An image the library draws, named but not loaded: a system symbol or an asset of a bundle.
class CorvendCoreComponentsImageAsset {
  public:
    struct System {
        std::string name;
        platform::ui::SymbolConfigurationPtr config;
    };
    struct Named {
        std::string name;
        std::shared_ptr<const platform::ui::ImageSource> bundle;
    };

    static CorvendCoreComponentsImageAsset system(std::string name,
                                                  platform::ui::SymbolConfigurationPtr config = {});
    static CorvendCoreComponentsImageAsset named(
        std::string name, std::shared_ptr<const platform::ui::ImageSource> bundle);

    const std::variant<System, Named>& value() const { return value_; }
    const std::string& name() const;

    // The image, looked up anew on each call; absent when the platform or bundle has none.
    platform::ui::ImagePtr image() const;

  private:
    explicit CorvendCoreComponentsImageAsset(std::variant<System, Named> value)
        : value_(std::move(value)) {}

    std::variant<System, Named> value_;
};

}  // namespace corvend::components
