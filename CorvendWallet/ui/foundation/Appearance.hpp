#pragma once

#include <map>
#include <optional>

#include "CorvendCoreComponents/DreloFontTextStyle.hpp"
#include "CorvendWallet/ui/foundation/AppearanceColors.hpp"
#include "CorvendWallet/ui/foundation/AppearanceImages.hpp"
#include "platform/ui/Font.hpp"

namespace corvend {

// The look of the kit's screens, as plain data a host builds, copies and changes on any
// thread: corner radii, a border width, the fonts of eleven text styles, 52 colours and eight
// images. Nothing changes on screen until it is installed with apply() (the host does so
// through Wallet::setAppearance).
//
//   auto appearance = Appearance::defaultAppearance();
//   appearance.colors.text.primary = platform::ui::Color::rgba(0.1, 0.1, 0.4, 1);
//   Wallet::instance().setAppearance(appearance);
class Appearance {
  public:
    struct CornerRadius {
        double small = 2;
        double medium = 8;
        double large = 16;
    };

    struct Border {
        double regular = 2;
    };

    // The fonts of the library's text styles of the same names; an absent one leaves the
    // library's own font. The digit styles have none.
    struct Fonts {
        using Font = std::optional<platform::ui::Font>;
        Font title1, title2, title3, title4, subtitle1, subtitle2, text1, text2, button, caption1,
            caption2;

        // The fonts that are set, by text style.
        std::map<components::DreloFontTextStyle, platform::ui::Font> textStyles() const;
    };

    using Colors = AppearanceColors;
    using ImageResource = AppearanceImageResource;
    using Images = AppearanceImages;

    // Radii 2, 8, 16; border 2; no fonts; new default colours; the default images.
    Appearance();
    Appearance(CornerRadius cornerRadius, Border border, Fonts fonts, Colors colors, Images images);

    // A copy of the one default, made on the first call (thread-safely).
    static Appearance defaultAppearance();

    // Installs this appearance, on the calling thread, in this order: configures the component
    // library's theme with its palette, fonts, border width, radii and four images; keeps all
    // eight images as appliedImages(); records isApplied(); styles the bar button items of the
    // library's navigation bar. Installations take turns, so a reader of the theme and the
    // applied images never sees parts of two appearances.
    void apply() const;

    // Installs the default appearance unless one has been installed; one step, so that a
    // host's concurrent installation is never overwritten by the default.
    static void applyDefaultUnlessApplied();

    // The images of the last installed appearance (the defaults before the first).
    static Images appliedImages();

    // True once any appearance has been installed; never reset.
    static bool isApplied();

    CornerRadius cornerRadius;
    Border border;
    Fonts fonts;
    Colors colors;
    Images images;

  private:
    // apply()'s steps; the caller holds the installation's lock.
    void installLocked() const;
};

}  // namespace corvend
