#include "CorvendCoreComponents/Theme.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "CorvendCoreComponents/BaseTheme.hpp"
#include "CorvendCoreComponents/CornerRadiusValues.hpp"
#include "tests/support/ThemeFixture.hpp"

namespace corvend::components {
namespace {

using platform::ui::Color;

TEST(ThemeDeathTest, ReadingBeforeConfigureStopsWithItsMessage) {
    EXPECT_DEATH(Theme::defaultTheme(), "Trying to access Theme.defaultTheme before setting it.");
    EXPECT_DEATH(BaseTheme::divider(), "Trying to access Theme.defaultTheme before setting it.");
}

TEST(ThemeTest, PaletteKeepsTheGivenObjectsAndTheLatestThemeWins) {
    const auto shared = Color::rgba(0.1, 0.2, 0.3, 1);
    SemanticColorPalette palette = testing::palette();
    palette.background.base = shared;
    palette.labelColor.primary.onBase = shared;
    Theme::configure(palette, FontDescriptionsProvider(), 2,
                     std::make_shared<CornerRadiusValues>(9, 5, 1), testing::assets());
    const auto theme = Theme::defaultTheme();
    EXPECT_EQ(BaseTheme::background(), shared);
    EXPECT_EQ(theme->colorPalette().labelColor.primary.onBase, shared);
    EXPECT_EQ(theme->cornerRadiusProvider().large(), 9);
    EXPECT_EQ(theme->cornerRadiusProvider().small(), 1);

    testing::configureTheme();
    EXPECT_NE(BaseTheme::background(), shared);
    // A reader keeps the whole theme it took.
    EXPECT_EQ(theme->colorPalette().background.base, shared);
}

TEST(ThemeTest, ReadersSeeOneWholeThemeWhileAnotherThreadConfigures) {
    testing::configureTheme();
    std::atomic<bool> done = false;
    std::thread writer([&] {
        for (int i = 0; i < 200; ++i) testing::configureTheme();
        done = true;
    });
    while (!done) {
        const auto theme = Theme::defaultTheme();
        ASSERT_EQ(theme->colorPalette().labelColor.primary.onSurface,
                  theme->colorPalette().labelColor.primary.onBase);
    }
    writer.join();
}

}  // namespace
}  // namespace corvend::components
