#include "CorvendWallet/ui/foundation/TitleHeaderView.hpp"

#include <gtest/gtest.h>

#include "tests/support/ThemedTest.hpp"

namespace corvend {
namespace {

using TitleHeaderViewTest = components::testing::ThemedTest;

TEST_F(TitleHeaderViewTest, HeaderSpacesItsLinesOnlyOnceConfigured) {
    const auto header = std::make_shared<TitleHeaderView>();
    EXPECT_EQ(header->imageView()->cornerRadius(), 40);
    EXPECT_TRUE(header->imageView()->masksToBounds());
    const auto& stack = *header->contentStack();
    EXPECT_EQ(stack.customSpacing(*header->titleLabel()), std::nullopt);
    EXPECT_EQ(stack.directionalLayoutMargins(), platform::ui::DirectionalEdgeInsets{});

    header->configure(platform::ui::Image::system("creditcard"), "Amount to add", "€25.00");
    EXPECT_EQ(stack.customSpacing(*header->titleLabel()), 2);
    EXPECT_EQ(stack.customSpacing(*header->imageContainer()), 4);
    EXPECT_EQ(stack.directionalLayoutMargins(),
              (platform::ui::DirectionalEdgeInsets{16, 16, 16, 16}));
    EXPECT_EQ(header->amountLabel()->text(), "€25.00");
}
}  // namespace
}  // namespace corvend
