#include "CorvendWallet/ui/foundation/TableViewCell.hpp"

#include <gtest/gtest.h>

#include "CorvendCoreComponents/TextField.hpp"
#include "CorvendWallet/ui/foundation/DetailsListItemView.hpp"
#include "tests/support/ThemedTest.hpp"

namespace corvend {
namespace {

using platform::ui::LayoutAttribute;

using TableViewCellTest = components::testing::ThemedTest;

TEST_F(TableViewCellTest, ReplacesItsConstraintsOnlyWhenTheInsetsChange) {
    TableViewCell<DetailsListItemView> cell;
    const auto first = cell.embeddedViewConstraints();
    ASSERT_EQ(first.size(), 8u);
    cell.setInsets({});
    EXPECT_EQ(cell.embeddedViewConstraints(), first);
    cell.setInsets({0, 0, 0, 4});
    const auto& second = cell.embeddedViewConstraints();
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_FALSE(first[i]->isActive());
        EXPECT_TRUE(second[i]->isActive());
    }
    EXPECT_EQ(second[2]->constant(), -4);
    // The separator: full width, one point high along the bottom, shown until told otherwise.
    EXPECT_EQ(second[4]->constant(), 0);
    EXPECT_EQ(second[7]->firstAnchor().attribute(), LayoutAttribute::height);
    EXPECT_EQ(second[7]->constant(), 1);
    EXPECT_FALSE(cell.separatorView()->isHidden());
    EXPECT_EQ(cell.separatorView()->backgroundColor(), components::BaseTheme::divider());
    cell.setSeparatorVisible(false);
    EXPECT_TRUE(cell.separatorView()->isHidden());
    cell.setSeparatorVisible(true);
    EXPECT_FALSE(cell.separatorView()->isHidden());
}

TEST_F(TableViewCellTest, AWrappingViewLearnsItsWidthBeforeFitting) {
    TableViewCell<components::TextField> cell;
    cell.setInsets({0, 10, 0, 6});
    cell.systemLayoutSizeFitting({320, 0}, 1000, 50);
    EXPECT_EQ(cell.view()->preferredMaxLayoutWidth(), 304);
    EXPECT_NE(TableViewCell<components::TextField>::cellReuseIdentifier(),
              TableViewCell<DetailsListItemView>::cellReuseIdentifier());
}

}  // namespace
}  // namespace corvend
