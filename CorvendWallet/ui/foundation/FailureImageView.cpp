#include "CorvendWallet/ui/foundation/FailureImageView.hpp"

#include "CorvendCoreComponents/Theme.hpp"
#include "CorvendCoreComponents/Views.hpp"
#include "CorvendWallet/ui/foundation/Appearance.hpp"
#include "platform/ui/Image.hpp"
#include "platform/ui/LayoutConstraint.hpp"

namespace corvend {

using platform::ui::LayoutAttribute;

std::shared_ptr<platform::ui::ImageView> FailureImageView::make() {
    // A screen shown before the kit is configured still needs a theme to draw its failure.
    Appearance::applyDefaultUnlessApplied();
    return components::Views::image(
        platform::ui::Image::system("icloud.slash"), components::Views::ImageSize::square80,
        components::Theme::defaultTheme()->colorPalette().labelColor.secondary.onBase);
}

void FailureImageView::showCentered(const std::shared_ptr<platform::ui::ImageView>& image,
                                    const platform::ui::ViewPtr& root) {
    root->addSubview(image);
    platform::ui::LayoutConstraint::activate({
        image->anchor(LayoutAttribute::centerX).constraint(root->anchor(LayoutAttribute::centerX)),
        image->anchor(LayoutAttribute::centerY).constraint(root->anchor(LayoutAttribute::centerY)),
    });
}

}  // namespace corvend
