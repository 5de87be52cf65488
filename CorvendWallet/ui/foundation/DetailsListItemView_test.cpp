#include "CorvendWallet/ui/foundation/DetailsListItemView.hpp"

#include <gtest/gtest.h>

#include "tests/support/ThemedTest.hpp"

namespace corvend {
namespace {

using DetailsListItemViewTest = components::testing::ThemedTest;

TEST_F(DetailsListItemViewTest, GivesItsLabelsEqualWrappingColumns) {
    const DetailsListItemView line;
    EXPECT_EQ(line.hStack()->distribution(), platform::ui::StackView::Distribution::fillEqually);
    EXPECT_EQ(line.leftLabel()->numberOfLines(), 0);
    EXPECT_EQ(line.rightLabel()->numberOfLines(), 0);
    EXPECT_EQ(line.rightLabel()->textAlignment(), platform::ui::TextAlignment::right);
    EXPECT_EQ(line.contentHuggingPriority(platform::ui::LayoutAxis::vertical), 750);
}

}  // namespace
}  // namespace corvend
