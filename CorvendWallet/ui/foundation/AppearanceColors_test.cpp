#include "CorvendWallet/ui/foundation/AppearanceColors.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvend {
namespace {

using platform::ui::ColorPtr;
using platform::ui::Traits;
using platform::ui::UserInterfaceStyle;

const Traits kLightStyle{UserInterfaceStyle::light};
const Traits kDarkStyle{UserInterfaceStyle::dark};

// One hex value with its opacity, as the design table writes it.
struct Shade {
    std::string hex;
    double alpha = 1;
};

struct DefaultColour {
    std::string slot;
    ColorPtr colour;
    Shade light;
    Shade dark;
    bool dynamic = true;
};

std::string hexOf(const ColorPtr& colour, const Traits& traits) {
    return colour->description(traits).substr(0, 7);
}

void expectShade(const DefaultColour& row, const Traits& traits, const Shade& expected,
                 const char* mode) {
    EXPECT_EQ(hexOf(row.colour, traits), expected.hex) << row.slot << " " << mode;
    EXPECT_NEAR(row.colour->components(traits).alpha, expected.alpha, 1e-9)
        << row.slot << " " << mode;
}

std::vector<DefaultColour> defaultTable(const AppearanceColors& c) {
    const auto fixed = [](std::string slot, ColorPtr colour, Shade shade) {
        return DefaultColour{std::move(slot), std::move(colour), shade, shade, false};
    };
    const auto& b = c.background;
    const auto& t = c.text;
    const auto& a = c.action;
    const auto& n = c.content;
    return {
        {"background.base", b.base, {"#F8F8F8"}, {"#141414"}},
        {"background.surface", b.surface, {"#141414", 0.05}, {"#FFFFFF", 0.1}},
        {"background.surfaceFocused", b.surfaceFocused, {"#141414", 0.08}, {"#FFFFFF", 0.15}},
        {"background.surfaceDisabled", b.surfaceDisabled, {"#141414", 0.05}, {"#FFFFFF", 0.1}},
        {"background.surfaceElevated", b.surfaceElevated, {"#FFFFFF"}, {"#2C2E2C"}},
        {"background.surfacePressed", b.surfacePressed, {"#141414", 0.12}, {"#FFFFFF", 0.2}},

        {"text.primary", t.primary, {"#141414"}, {"#F5F5F5"}},
        {"text.primaryInverted", t.primaryInverted, {"#F5F5F5"}, {"#141414"}},
        {"text.secondary", t.secondary, {"#424542"}, {"#B1B2AF"}},
        {"text.secondaryInverted", t.secondaryInverted, {"#C9CAC8"}, {"#424542"}},
        {"text.active", t.active, {"#054AB2"}, {"#BED4F5"}},
        {"text.activeInverted", t.activeInverted, {"#B1D2FF"}, {"#054AB2"}},
        {"text.pressed", t.pressed, {"#0860E3"}, {"#003F9D"}},
        {"text.focused", t.focused, {"#003F9D"}, {"#0860E3"}},
        {"text.disabled", t.disabled, {"#787D78"}, {"#B1B2AF"}},
        {"text.disabledInverted", t.disabledInverted, {"#B1B2AF"}, {"#787D78"}},

        {"action.active", a.active, {"#0455CD"}, {"#BED4F5"}},
        {"action.supportiveActive", a.supportiveActive, {"#4771ED"}, {"#7EB1FD"}},
        {"action.pressed", a.pressed, {"#0860E3"}, {"#B1D2FF"}},
        {"action.selected", a.selected, {"#E2ECF9"}, {"#052F6F"}},
        {"action.focused", a.focused, {"#003F9D"}, {"#5E9DFC"}},
        {"action.activeInverted", a.activeInverted, {"#B1D2FF"}, {"#003F9D"}},
        {"action.inactive", a.inactive, {"#2C2E2C"}, {"#C9CAC8"}},
        {"action.inactiveSubtle", a.inactiveSubtle, {"#5F615D"}, {"#B1B2AF"}},
        {"action.disabled", a.disabled, {"#969896"}, {"#787D78"}},
        {"action.disabledSubtle", a.disabledSubtle, {"#C9CAC8"}, {"#424542"}},

        fixed("content.informative.base", n.informative.base, {"#075BC3"}),
        {"content.informative.intense", n.informative.intense, {"#004370"}, {"#A1E1F8"}},
        {"content.informative.subtle", n.informative.subtle, {"#C0ECFA", 0.4}, {"#005670", 0.4}},
        fixed("content.positive.base", n.positive.base, {"#179743"}),
        {"content.positive.intense", n.positive.intense, {"#005C20"}, {"#BCF1AC"}},
        {"content.positive.subtle", n.positive.subtle, {"#BCF1AC", 0.4}, {"#005C20", 0.4}},
        fixed("content.attention.base", n.attention.base, {"#D66000"}),
        {"content.attention.intense", n.attention.intense, {"#934A00"}, {"#F5D280"}},
        {"content.attention.subtle", n.attention.subtle, {"#FFE8A6", 0.4}, {"#964B00", 0.4}},
        fixed("content.negative.base", n.negative.base, {"#D31D33"}),
        {"content.negative.intense", n.negative.intense, {"#990D00"}, {"#FFA5A5"}},
        {"content.negative.subtle", n.negative.subtle, {"#FFA5A5", 0.4}, {"#990D00", 0.4}},
        {"content.brandPrimary.base", n.brandPrimary.base, {"#0455CD"}, {"#0860E3"}},
        fixed("content.brandPrimary.intense", n.brandPrimary.intense, {"#003F9D"}),
        {"content.brandPrimary.subtle", n.brandPrimary.subtle, {"#F492F7", 0.3}, {"#052F6F", 0.4}},
        {"content.brandSecondary.base", n.brandSecondary.base, {"#1CB535"}, {"#3ED157"}},
        fixed("content.brandSecondary.intense", n.brandSecondary.intense, {"#076580"}),
        {"content.brandSecondary.subtle",
         n.brandSecondary.subtle,
         {"#BAF1BF", 0.3},
         {"#00590F", 0.4}},
        {"content.brandAccent.base", n.brandAccent.base, {"#FFF681"}, {"#FFF06B"}},
        fixed("content.brandAccent.intense", n.brandAccent.intense, {"#FCE72C"}),
        {"content.brandAccent.subtle", n.brandAccent.subtle, {"#FFFCD9"}, {"#665500", 0.4}},
        {"content.elementIntense", n.elementIntense, {"#141414", 0.38}, {"#FFFFFF", 0.38}},
        {"content.separator", n.separator, {"#C9CAC8"}, {"#5F615D"}},
        fixed("content.black", n.black, {"#141414"}),
        fixed("content.blackSubtle", n.blackSubtle, {"#141414", 0.38}),
        fixed("content.white", n.white, {"#F5F5F5"}),
    };
}

TEST(AppearanceColorsTest, EveryDefaultHasItsLightAndDarkValue) {
    const AppearanceColors colors;
    const auto table = defaultTable(colors);
    ASSERT_EQ(table.size(), 52u);
    int dynamicCount = 0;
    for (const auto& row : table) {
        ASSERT_NE(row.colour, nullptr) << row.slot;
        EXPECT_EQ(row.colour->isDynamic(), row.dynamic) << row.slot;
        dynamicCount += row.dynamic ? 1 : 0;
        expectShade(row, kLightStyle, row.light, "light");
        expectShade(row, Traits{}, row.light, "unspecified");
        expectShade(row, kDarkStyle, row.dark, "dark");
    }
    EXPECT_EQ(dynamicCount, 42);
}

// The palette row and the Appearance slot it must hold, the very object.
struct PaletteRow {
    std::string field;
    ColorPtr palette;
    ColorPtr slot;
};

TEST(AppearanceColorsTest, ThePaletteTakesEachFieldFromItsSlot) {
    const AppearanceColors c;
    const auto p = c.semanticColorPalette();
    const std::vector<PaletteRow> rows = {
        {"background.base", p.background.base, c.background.base},
        {"background.surface", p.background.surface, c.background.surface},
        {"background.inactiveSurface", p.background.inactiveSurface, c.background.surfaceDisabled},
        {"background.element.medium", p.background.element.medium, c.content.blackSubtle},
        {"background.element.strong", p.background.element.strong, c.content.elementIntense},
        {"background.element.separator", p.background.element.separator, c.content.separator},
        {"background.backgroundAction.surfaceFocused", p.background.backgroundAction.surfaceFocused,
         c.background.surfaceFocused},
        {"labelColor.primary.onBase", p.labelColor.primary.onBase, c.text.primary},
        {"labelColor.primary.onSurface", p.labelColor.primary.onSurface, c.text.primary},
        {"labelColor.primary.onAlwaysDark", p.labelColor.primary.onAlwaysDark,
         c.text.primaryInverted},
        {"labelColor.secondary.onBase", p.labelColor.secondary.onBase, c.text.secondary},
        {"labelColor.secondary.onSurface", p.labelColor.secondary.onSurface, c.text.secondary},
        {"labelColor.secondary.onAlwaysDark", p.labelColor.secondary.onAlwaysDark,
         c.text.secondaryInverted},
        {"labelColor.tertiary.onSurface", p.labelColor.tertiary.onSurface, c.text.disabled},
        {"labelColor.tertiary.onAlwaysDark", p.labelColor.tertiary.onAlwaysDark,
         c.text.disabledInverted},
        {"specialForeground.negative", p.specialForeground.negative, c.content.negative.base},
        {"specialForeground.brandSecondary", p.specialForeground.brandSecondary,
         c.content.brandSecondary.base},
        {"action.primary.normal", p.action.primary.normal, c.action.active},
        {"action.primary.pressed", p.action.primary.pressed, c.action.pressed},
        {"action.primary.disabled", p.action.primary.disabled, c.action.disabledSubtle},
        {"action.secondary.normal", p.action.secondary.normal, c.action.active},
        {"action.secondary.pressed", p.action.secondary.pressed, c.action.pressed},
        {"action.secondary.disabled", p.action.secondary.disabled, c.action.disabledSubtle},
        {"action.foreground.normal", p.action.foreground.normal, c.action.active},
        {"action.foreground.unselected", p.action.foreground.unselected, c.action.inactiveSubtle},
        {"action.foreground.disabled", p.action.foreground.disabled, c.action.disabled},
        {"action.accent.normal", p.action.accent.normal, c.action.activeInverted},
        {"action.accent.pressed", p.action.accent.pressed, c.action.pressed},
        {"action.accent.disabled", p.action.accent.disabled, c.action.disabledSubtle},
    };
    ASSERT_EQ(rows.size(), 29u);
    for (const auto& row : rows) {
        ASSERT_NE(row.slot, nullptr) << row.field;
        EXPECT_EQ(row.palette, row.slot) << row.field;
    }
}

}  // namespace
}  // namespace corvend
