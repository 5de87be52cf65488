#include "CorvendWallet/ui/foundation/Appearance.hpp"

#include <atomic>
#include <memory>
#include <mutex>
#include <utility>

#include "CorvendCoreComponents/Appearance.hpp"
#include "CorvendCoreComponents/CornerRadiusValues.hpp"
#include "CorvendCoreComponents/Theme.hpp"
#include "platform/async/ProcessFork.hpp"

namespace corvend {

namespace {

using components::DreloFontTextStyle;

// What apply() installs besides the library's theme. An installation holds `mutex` from its
// first step to its last, so that installations take turns and the applied images always
// belong to the installed theme.
struct Installed {
    std::mutex mutex;
    std::atomic<bool> applied{false};
    std::optional<Appearance::Images> images;
};

Installed& installed() {
    static Installed state;
    return state;
}

}  // namespace

std::map<DreloFontTextStyle, platform::ui::Font> Appearance::Fonts::textStyles() const {
    const std::pair<DreloFontTextStyle, const Font&> slots[] = {
        {DreloFontTextStyle::title1, title1},       {DreloFontTextStyle::title2, title2},
        {DreloFontTextStyle::title3, title3},       {DreloFontTextStyle::title4, title4},
        {DreloFontTextStyle::subtitle1, subtitle1}, {DreloFontTextStyle::subtitle2, subtitle2},
        {DreloFontTextStyle::text1, text1},         {DreloFontTextStyle::text2, text2},
        {DreloFontTextStyle::button, button},       {DreloFontTextStyle::caption1, caption1},
        {DreloFontTextStyle::caption2, caption2},
    };
    std::map<DreloFontTextStyle, platform::ui::Font> styles;
    for (const auto& [style, font] : slots) {
        if (font) styles.emplace(style, *font);
    }
    return styles;
}

Appearance::Appearance() : Appearance{{}, {}, {}, Colors(), Images()} {}

Appearance::Appearance(CornerRadius cornerRadius, Border border, Fonts fonts, Colors colors,
                       Images images)
    : cornerRadius(cornerRadius),
      border(border),
      fonts(std::move(fonts)),
      colors(std::move(colors)),
      images(std::move(images)) {}

Appearance Appearance::defaultAppearance() {
    static const Appearance appearance;
    return appearance;
}

void Appearance::apply() const {
    platform::ProcessFork::checkKitUsable("Appearance::apply");
    std::lock_guard lock(installed().mutex);
    installLocked();
}

void Appearance::applyDefaultUnlessApplied() {
    platform::ProcessFork::checkKitUsable("Appearance::applyDefaultUnlessApplied");
    std::lock_guard lock(installed().mutex);
    if (!installed().applied.load()) defaultAppearance().installLocked();
}

void Appearance::installLocked() const {
    auto palette = colors.semanticColorPalette();
    components::FontDescriptionsProvider fontDescriptions(fonts.textStyles());
    auto radii = std::make_shared<const components::CornerRadiusValues>(
        cornerRadius.large, cornerRadius.medium, cornerRadius.small);
    auto assets = images.assets();
    components::Theme::configure(std::move(palette), std::move(fontDescriptions), border.regular,
                                 std::move(radii), std::move(assets));
    installed().images = images;
    installed().applied.store(true);
    components::Appearance::setNavigationBarButtonAppearance(false);
}

Appearance::Images Appearance::appliedImages() {
    platform::ProcessFork::checkKitUsable("Appearance::appliedImages");
    auto& state = installed();
    std::lock_guard lock(state.mutex);
    if (!state.images) state.images.emplace(Images());
    return *state.images;
}

bool Appearance::isApplied() {
    return installed().applied.load();
}

}  // namespace corvend
