#include "platform/ui/Color.hpp"

#include <gtest/gtest.h>

#include <thread>

namespace corvend::platform::ui {
namespace {

constexpr Traits light{UserInterfaceStyle::light};
constexpr Traits dark{UserInterfaceStyle::dark};
constexpr Traits unspecified{UserInterfaceStyle::unspecified};

TEST(ColorTest, DynamicColourResolvesToTheCapturedObjects) {
    const ColorPtr day = Color::rgba(1, 1, 1, 1);
    const ColorPtr night = Color::rgba(0, 0, 0, 1);
    const ColorPtr both = Color::dynamic(day, night);
    EXPECT_EQ(both->resolved(dark), night);
    EXPECT_EQ(both->resolved(light), day);
    EXPECT_EQ(both->resolved(unspecified), day);  // only dark picks the dark value
    EXPECT_EQ(both->resolved(dark), both->resolved(dark));
    EXPECT_EQ(both->description(dark), "#000000");

    // A dynamic colour inside a dynamic colour resolves all the way down.
    const ColorPtr nested = Color::dynamic(both, Color::rgba(0, 0, 1, 0.5));
    EXPECT_EQ(nested->resolved(light), day);
    EXPECT_EQ(nested->description(dark), "#0000FF α0.5");
}

TEST(ColorTest, FixedColourIgnoresTheStyleAndClampsItsComponents) {
    const ColorPtr fixed = Color::rgba(2, 0.5, -1, 0.38);
    for (const Traits traits : {light, dark, unspecified})
        EXPECT_EQ(fixed->resolved(traits), fixed);
    EXPECT_EQ(fixed->components(dark), (Color::Components{1, 0.5, 0, 0.38}));
    EXPECT_FALSE(fixed->isDynamic());
    EXPECT_EQ(Color::clear(), Color::clear());
    EXPECT_EQ(Color::clear()->components().alpha, 0);
    EXPECT_THROW(Color::dynamic(fixed, nullptr), std::invalid_argument);
}

TEST(ColorTest, ValuesAreMadeAndResolvedOnAnyThread) {
    ColorPtr made;
    std::thread([&] { made = Color::dynamic(Color::rgba(1, 0, 0, 1), Color::clear()); }).join();
    EXPECT_EQ(made->resolved(dark), Color::clear());
}

}  // namespace
}  // namespace corvend::platform::ui
