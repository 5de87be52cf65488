#include "CorvendCoreComponents/FontDescriptionsProvider.hpp"

#include <gtest/gtest.h>

#include "CorvendCoreComponents/FormattedText.hpp"
#include "CorvendCoreComponents/Theme.hpp"
#include "tests/support/ThemeFixture.hpp"

namespace corvend::components {
namespace {

using platform::ui::Font;

TEST(FontDescriptionsProviderTest, GivenFontsAreKeptAndEveryOtherStyleFallsBack) {
    const Font brand = Font::named("Brand-Regular", 15);
    const FontDescriptionsProvider provider({{DreloFontTextStyle::text1, brand}});
    const FontDescription text1 = provider.description(DreloFontTextStyle::text1);
    EXPECT_EQ(text1.font, brand);
    EXPECT_EQ(text1.size, 15);
    EXPECT_EQ(text1.lineHeight, brand.lineHeight);
    EXPECT_EQ(text1.baselineOffset, 0);
    EXPECT_EQ(provider.scaledFont(DreloFontTextStyle::text1).scalingStyle,
              FontDescriptionsProvider::pairedDynamicStyle(DreloFontTextStyle::text1));
    for (const DreloFontTextStyle style : allDreloFontTextStyles) {
        if (style == DreloFontTextStyle::text1) continue;
        SCOPED_TRACE(name(style));
        EXPECT_EQ(provider.description(style).font,
                  Font::preferred(FontDescriptionsProvider::pairedDynamicStyle(style)));
    }
}

TEST(FontDescriptionsProviderTest, FormattedTextSetsOnlyWhatIsGiven) {
    const Font caption = Font::named("Brand-Caption", 11);
    Theme::configure(testing::palette(),
                     FontDescriptionsProvider({{DreloFontTextStyle::caption1, caption}}), 2,
                     std::make_shared<CornerRadiusValues>(16, 8, 2), testing::assets());
    const auto red = platform::ui::Color::rgba(1, 0, 0, 1);
    const auto styled = formattedText("Accepted Cards", DreloFontTextStyle::caption1, red,
                                      platform::ui::TextAlignment::center);
    ASSERT_EQ(styled.runs().size(), 1u);
    const auto& attributes = styled.runs()[0].attributes;
    EXPECT_EQ(attributes.font, caption);
    EXPECT_EQ(attributes.minimumLineHeight, caption.lineHeight);
    EXPECT_EQ(attributes.maximumLineHeight, caption.lineHeight);
    EXPECT_EQ(attributes.baselineOffset, 0);
    EXPECT_EQ(attributes.foregroundColor, red);
    EXPECT_EQ(attributes.alignment, platform::ui::TextAlignment::center);
    EXPECT_EQ(attributes.lineBreakMode, std::nullopt);
    EXPECT_EQ(formattedText("x", DreloFontTextStyle::text2).runs()[0].attributes.foregroundColor,
              nullptr);
}

}  // namespace
}  // namespace corvend::components
