#pragma once

#include <memory>
#include <string>
#include <variant>

#include "platform/foundation/Bundle.hpp"
#include "platform/ui/Image.hpp"
#include "platform/ui/SymbolConfiguration.hpp"

namespace corvend {

// An image named by the kit or the host, not yet loaded (Appearance::ImageResource): a system
// symbol with an optional configuration, or an image of a bundle.
class AppearanceImageResource {
  public:
    struct System {
        std::string name;
        platform::ui::SymbolConfigurationPtr configuration;
    };
    struct Named {
        std::string name;
        std::shared_ptr<const platform::Bundle> bundle;
    };

    static AppearanceImageResource system(std::string name,
                                          platform::ui::SymbolConfigurationPtr configuration = {});
    static AppearanceImageResource named(std::string name,
                                         std::shared_ptr<const platform::Bundle> bundle);

    const std::variant<System, Named>& value() const { return value_; }
    const std::string& name() const;

    // The image, looked up anew at each call. A resource the platform cannot supply is a fault
    // of the kit's own images: it stops the program with "Unable to load image asset named
    // <name>.".
    platform::ui::ImagePtr image() const;

    // Same case and name, and the same configuration or bundle object (two absent
    // configurations are equal).
    friend bool operator==(const AppearanceImageResource& a, const AppearanceImageResource& b);

  private:
    explicit AppearanceImageResource(std::variant<System, Named> value)
        : value_(std::move(value)) {}

    std::variant<System, Named> value_;
};

}  // namespace corvend
