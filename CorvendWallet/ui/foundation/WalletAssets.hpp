#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/Bundle.hpp"
#include "platform/ui/Image.hpp"
#include "platform/ui/ImageSource.hpp"

namespace corvend {

// The toolkit's view of a bundle's images.
class BundleImageSource final : public platform::ui::ImageSource {
  public:
    explicit BundleImageSource(std::shared_ptr<const platform::Bundle> bundle)
        : bundle_(std::move(bundle)) {}

    std::optional<std::string> imageData(const std::string& name) const override {
        return bundle_->imageData(name);
    }

  private:
    std::shared_ptr<const platform::Bundle> bundle_;
};

// An image asset of a bundle, by name; loaded only where it is drawn.
struct WalletImageAsset {
    std::string name;
    std::shared_ptr<const platform::Bundle> bundle;

    // The image, looked up anew; stops the program when the bundle lacks it, as for any of
    // the kit's own images.
    platform::ui::ImagePtr image() const;
};

// The card-brand logos of the kit's own bundle ("logo_mastercard", "logo_visa", "logo_tembro",
// "logo_vaskel"), made once, on first use, with the kit's bundle (WalletBundle::shared()).
struct WalletAssets {
    enum class Logo { mastercard, visa, tembro, vaskel };

    static const WalletImageAsset& logo(Logo logo);
};

// Stops the program: `name` is one of the kit's own images and the platform lacks it.
[[noreturn]] void missingImageAsset(const std::string& name);

}  // namespace corvend
