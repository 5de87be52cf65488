#include "CorvendWallet/ui/foundation/FailureImageView.hpp"

#include "CorvendCoreComponents/Theme.hpp"
#include "CorvendCoreComponents/Views.hpp"
#include "CorvendWallet/ui/foundation/Appearance.hpp"
#include "platform/ui/Image.hpp"

namespace corvend {

std::shared_ptr<platform::ui::ImageView> FailureImageView::make() {
    // A screen shown before the kit is configured still needs a theme to draw its failure.
    Appearance::applyDefaultUnlessApplied();
    return components::Views::image(
        platform::ui::Image::system("icloud.slash"), components::Views::ImageSize::square80,
        components::Theme::defaultTheme()->colorPalette().labelColor.secondary.onBase);
}

}  // namespace corvend
