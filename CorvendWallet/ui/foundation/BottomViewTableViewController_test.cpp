#include "CorvendWallet/ui/foundation/BottomViewTableViewController.hpp"

#include <gtest/gtest.h>

#include "CorvendCoreComponents/Button.hpp"
#include "tests/support/ThemedTest.hpp"

namespace corvend {
namespace {

using platform::ui::EdgeInsets;
using platform::ui::LayoutAttribute;

class Screen : public BottomViewTableViewController<components::Button> {
  public:
    Screen() : BottomViewTableViewController(std::make_shared<components::Button>()) {}
};

using BottomViewTableViewControllerTest = components::testing::ThemedTest;

TEST_F(BottomViewTableViewControllerTest, AVisibleBottomViewPullsTheTableInsetIn) {
    for (bool hidden : {false, true}) {
        const auto screen = std::make_shared<Screen>();
        screen->tableView()->setContentInset({8, 1, 30, 2});
        screen->setBottomViewHidden(hidden);
        screen->view();
        EXPECT_EQ(screen->isBottomViewHidden(), hidden);
        EXPECT_EQ(screen->tableView()->contentInset(), (EdgeInsets{8, 1, hidden ? 0.0 : -16, 2}));
    }
}

TEST_F(BottomViewTableViewControllerTest, StackEndsAtTheSafeAreaAndInsetsTheBottomView) {
    const auto screen = std::make_shared<Screen>();
    screen->view();
    const auto& stack = screen->stackView()->constraints();
    ASSERT_EQ(stack.size(), 4u);
    EXPECT_FALSE(stack[2]->secondAnchor()->isSafeArea());
    EXPECT_TRUE(stack[3]->secondAnchor()->isSafeArea());
    std::vector<double> insets;
    for (const auto& constraint : screen->bottomView()->constraints()) {
        if (constraint->secondAnchor() &&
            constraint->secondAnchor()->view() == screen->bottomViewContainer().get()) {
            insets.push_back(constraint->constant());
        }
    }
    EXPECT_EQ(insets, (std::vector<double>{0, 16, -16, -16}));
}

}  // namespace
}  // namespace corvend
