#include "CorvendWallet/ui/foundation/Appearance.hpp"

#include <gtest/gtest.h>

#include <thread>

#include "CorvendCoreComponents/Theme.hpp"
#include "CorvendCoreComponents/ThemedNavigationBar.hpp"
#include "CorvendWallet/ui/foundation/NavigationControllable.hpp"
#include "CorvendWallet/ui/foundation/WalletAssets.hpp"
#include "CorvendWallet/ui/foundation/WalletBundle.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/ui/BarButtonItemAppearance.hpp"

namespace corvend {

namespace {

using components::Theme;
using platform::ui::Color;
using platform::ui::Traits;
using platform::ui::UserInterfaceStyle;
using Resource = Appearance::ImageResource;

const Traits kLight{UserInterfaceStyle::light};
const Traits kDark{UserInterfaceStyle::dark};

// Images values can only hold the defaults, but each made anew has configuration objects of its
// own: an installation is told apart by them.
const platform::ui::SymbolConfigurationPtr& configuration(const Resource& resource) {
    return std::get<Resource::System>(resource.value()).configuration;
}

TEST(AppearanceTest, EachDefaultIsNewWhileTheSharedDefaultIsOneValue) {
    const Appearance first;
    const Appearance second;
    EXPECT_NE(first.colors.text.primary, second.colors.text.primary);
    EXPECT_NE(first.colors.content.black, second.colors.content.black);
    EXPECT_FALSE(first.images.iconClose() == second.images.iconClose());  // new configurations
    EXPECT_TRUE(first.images.iconArrowLeft() == second.images.iconArrowLeft());

    auto changed = Appearance::defaultAppearance();
    EXPECT_EQ(changed.colors.text.primary, Appearance::defaultAppearance().colors.text.primary);
    changed.colors.text.primary = Color::clear();
    changed.cornerRadius.small = -3;
    EXPECT_NE(Appearance::defaultAppearance().colors.text.primary, Color::clear());
    EXPECT_EQ(Appearance::defaultAppearance().cornerRadius.small, 2);
}

TEST(AppearanceTest, ImageResourcesCompareCaseNameAndObject) {
    const auto bundle = WalletBundle::shared();
    EXPECT_TRUE(Resource::system("xmark") == Resource::system("xmark"));
    EXPECT_FALSE(Resource::system("xmark") == Appearance().images.iconClose());
    EXPECT_FALSE(Resource::system("logo_visa") == Resource::named("logo_visa", bundle));
    EXPECT_TRUE(Resource::named("logo_visa", bundle) == Resource::named("logo_visa", bundle));
    EXPECT_FALSE(Resource::named("logo_visa", bundle) ==
                 Resource::named("logo_visa", std::make_shared<platform::Bundle>("other")));
}

TEST(AppearanceTest, DynamicDefaultsResolveToTheirCapturedObjectsAndFixedOnesIgnoreTheStyle) {
    const Appearance::Colors colors;
    const auto& base = colors.background.base;
    EXPECT_EQ(base->resolved(kDark), base->resolved(kDark));
    EXPECT_EQ(base->resolved(Traits{}), base->resolved(kLight));
    EXPECT_EQ(base->description(kDark), "#141414");
    EXPECT_EQ(base->description(Traits{}), "#F8F8F8");

    for (const auto& fixed : {colors.content.informative.base, colors.content.brandPrimary.intense,
                              colors.content.white, colors.content.blackSubtle}) {
        EXPECT_FALSE(fixed->isDynamic());
        EXPECT_EQ(fixed->resolved(kDark), fixed);
    }
    EXPECT_TRUE(colors.content.brandPrimary.base->isDynamic());
    EXPECT_TRUE(colors.content.informative.intense->isDynamic());
    EXPECT_EQ(colors.content.white->description(), "#F5F5F5");

    // Equal values, distinct objects.
    EXPECT_NE(colors.background.surface, colors.background.surfaceDisabled);
    EXPECT_EQ(colors.background.surface->description(kDark),
              colors.background.surfaceDisabled->description(kDark));
    EXPECT_EQ(colors.content.brandAccent.subtle->components(kLight).alpha, 1);
    EXPECT_NEAR(colors.content.brandAccent.subtle->components(kDark).alpha, 0.4, 1e-9);
    EXPECT_NEAR(colors.content.brandPrimary.subtle->components(kLight).alpha, 0.3, 1e-9);
    EXPECT_NEAR(colors.content.elementIntense->components(kDark).alpha, 0.38, 1e-9);
}

TEST(AppearanceTest, ThePaletteSharesTheAppearancesObjects) {
    const Appearance::Colors colors;
    const auto palette = colors.semanticColorPalette();
    EXPECT_EQ(palette.labelColor.primary.onBase, colors.text.primary);
    EXPECT_EQ(palette.labelColor.primary.onSurface, colors.text.primary);
    EXPECT_EQ(palette.background.inactiveSurface, colors.background.surfaceDisabled);
    EXPECT_EQ(palette.background.element.medium, colors.content.blackSubtle);
    EXPECT_EQ(palette.action.secondary.normal, palette.action.primary.normal);
    EXPECT_EQ(palette.action.accent.pressed, colors.action.pressed);
    EXPECT_EQ(palette.action.foreground.unselected, colors.action.inactiveSubtle);
    EXPECT_EQ(palette.labelColor.primary.onBase->description(kDark), "#F5F5F5");
}

TEST(AppearanceTest, ApplyInstallsTheThemeTheImagesAndTheBarButtons) {
    EXPECT_FALSE(Appearance::isApplied());
    Appearance appearance;
    appearance.cornerRadius = {1, 5, 9};
    appearance.border.regular = -1;
    appearance.fonts.text1 = platform::ui::Font::named("Host", 15);
    EXPECT_EQ(appearance.fonts.textStyles().size(), 1u);

    appearance.apply();
    EXPECT_TRUE(Appearance::isApplied());
    const auto theme = Theme::defaultTheme();
    EXPECT_EQ(theme->colorPalette().labelColor.primary.onBase, appearance.colors.text.primary);
    EXPECT_EQ(theme->cornerRadiusProvider().large(), 9);
    EXPECT_EQ(theme->cornerRadiusProvider().small(), 1);
    EXPECT_EQ(theme->borderWidth(), -1);
    EXPECT_EQ(theme->fontDescriptionsProvider()
                  .description(components::DreloFontTextStyle::text1)
                  .font.name,
              "Host");
    using InstalledSymbol = components::CorvendCoreComponentsImageAsset::System;
    const auto& errorIcon = std::get<InstalledSymbol>(theme->assets().uiErrorTriangle.value());
    EXPECT_EQ(errorIcon.name, "exclamationmark.triangle");
    EXPECT_EQ(errorIcon.config, configuration(appearance.images.iconError()));
    EXPECT_NE(theme->assets().uiArrowLeftTemplate.image(), nullptr);
    EXPECT_TRUE(Appearance::appliedImages().iconHelp() == appearance.images.iconHelp());
    EXPECT_FALSE(Appearance::appliedImages().iconHelp() == Appearance().images.iconHelp());

    const auto themed = platform::ui::BarButtonItemAppearance::get(
        std::type_index(typeid(components::ThemedNavigationBar)));
    EXPECT_EQ(themed.tintColor, appearance.colors.text.primary);
    EXPECT_EQ(platform::ui::BarButtonItemAppearance::get().tintColor, nullptr);
}

TEST(AppearanceTest, TheDefaultNeverReplacesAnInstalledAppearance) {
    Appearance host;
    host.apply();
    Appearance::applyDefaultUnlessApplied();
    EXPECT_EQ(Theme::defaultTheme()->colorPalette().background.base, host.colors.background.base);

    Appearance later;
    later.apply();
    EXPECT_EQ(Theme::defaultTheme()->colorPalette().background.base, later.colors.background.base);
}

TEST(AppearanceTest, ConcurrentInstallationsLeaveTheImagesOfTheInstalledTheme) {
    Appearance first;
    Appearance second;
    std::thread other([&] {
        for (int i = 0; i < 300; ++i) second.apply();
    });
    for (int i = 0; i < 300; ++i) first.apply();
    other.join();
    const bool firstInstalled =
        Theme::defaultTheme()->colorPalette().background.base == first.colors.background.base;
    EXPECT_TRUE(Appearance::appliedImages().iconClose() ==
                (firstInstalled ? first : second).images.iconClose());
}

TEST(AppearanceTest, CloseButtonsShowTheIconOfTheirTime) {
    platform::MainQueue::shared().drain();  // items are tapped on the main thread
    Appearance().apply();
    const auto before = closeButton({});
    EXPECT_EQ(before->image()->name(), "xmark");
    EXPECT_EQ(before->image()->configuration()->weight(), platform::ui::SymbolWeight::bold);
    EXPECT_FALSE(before->tap());

    Appearance later;
    later.apply();
    int taps = 0;
    const auto after = closeButton([&] { ++taps; });
    EXPECT_EQ(after->image()->configuration(), configuration(later.images.iconClose()));
    EXPECT_NE(before->image()->configuration(), after->image()->configuration());
    EXPECT_TRUE(after->tap());
    EXPECT_EQ(taps, 1);
}

TEST(AppearanceTest, TheLogosComeFromTheKitsBundle) {
    using Logo = WalletAssets::Logo;
    for (const auto logo : {Logo::mastercard, Logo::visa, Logo::tembro, Logo::vaskel}) {
        const auto& asset = WalletAssets::logo(logo);
        EXPECT_EQ(asset.bundle, WalletBundle::shared());
        EXPECT_NE(asset.image(), nullptr) << asset.name;
    }
}

TEST(AppearanceDeathTest, AnImageThePlatformLacksStopsWithItsName) {
    EXPECT_DEATH(Resource::system("no.such.symbol").image(),
                 "Unable to load image asset named no.such.symbol\\.");
    EXPECT_DEATH(Resource::named("logo", WalletBundle::shared()).image(),
                 "Unable to load image asset named logo\\.");
}

}  // namespace
}  // namespace corvend
