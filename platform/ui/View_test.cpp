#include "platform/ui/View.hpp"

#include <gtest/gtest.h>

#include <typeindex>

#include "platform/async/MainQueue.hpp"
#include "platform/ui/ActivityIndicatorView.hpp"
#include "platform/ui/BarButtonItem.hpp"
#include "platform/ui/Button.hpp"
#include "platform/ui/ImageView.hpp"
#include "platform/ui/Label.hpp"
#include "platform/ui/NavigationBar.hpp"
#include "platform/ui/StackView.hpp"
#include "platform/ui/TapGestureRecognizer.hpp"

namespace corvend::platform::ui {
namespace {

// Logs the trait changes it is told of.
class StyleWatcher : public View {
  public:
    std::vector<std::optional<Traits>> previous;
    void traitCollectionDidChange(std::optional<Traits> before) override {
        previous.push_back(before);
    }
};

class ViewTest : public ::testing::Test {
  protected:
    void SetUp() override { MainQueue::shared().drain(); }
};

TEST_F(ViewTest, RemovingAnArrangedViewFromItsSuperviewLeavesTheStack) {
    const auto label = std::make_shared<Label>();
    label->setText("Accepted Cards");
    const auto logo = std::make_shared<ImageView>(Image::system("creditcard"));
    const auto stack = std::make_shared<StackView>(std::vector<ViewPtr>{label, logo});
    stack->setCustomSpacing(2, *label);
    EXPECT_EQ(stack->snapshotLines(),
              (std::vector<std::string>{"Accepted Cards", "image: creditcard"}));
    label->removeFromSuperview();
    EXPECT_EQ(stack->arrangedSubviews(), std::vector<ViewPtr>{logo});
    EXPECT_EQ(stack->customSpacing(*label), std::nullopt);
    EXPECT_EQ(label->superview(), nullptr);
    stack->removeArrangedSubview(logo);  // stays a subview
    EXPECT_EQ(logo->superview(), stack.get());
    logo->setHidden(true);
    EXPECT_TRUE(stack->snapshotLines().empty());
}

TEST_F(ViewTest, TraitChangesReachSubviewsWithoutTheirOwnTraits) {
    const auto root = std::make_shared<View>();
    const auto watcher = std::make_shared<StyleWatcher>();
    const auto pinned = std::make_shared<StyleWatcher>();
    root->addSubview(watcher);
    root->addSubview(pinned);
    pinned->setOverrideTraits(Traits{UserInterfaceStyle::light});
    root->setOverrideTraits(Traits{UserInterfaceStyle::dark});
    root->setOverrideTraits(Traits{UserInterfaceStyle::dark});  // no change, no call
    root->setOverrideTraits(Traits{UserInterfaceStyle::light});
    EXPECT_EQ(watcher->previous,
              (std::vector<std::optional<Traits>>{std::nullopt, Traits{UserInterfaceStyle::dark}}));
    EXPECT_EQ(pinned->previous.size(), 1u);
    EXPECT_EQ(pinned->traits().userInterfaceStyle, UserInterfaceStyle::light);
}

TEST_F(ViewTest, ConstraintsAreRecordedAndKeptByTheirFirstViewWhileActive) {
    const auto outer = std::make_shared<View>();
    const auto inner = std::make_shared<View>();
    outer->addSubview(inner);
    const auto top =
        inner->anchor(LayoutAttribute::top).constraint(outer->anchor(LayoutAttribute::top), 12);
    const auto bottom = inner->anchor(LayoutAttribute::bottom)
                            .constraint(outer->safeAreaAnchor(LayoutAttribute::bottom));
    EXPECT_TRUE(inner->constraints().empty());
    LayoutConstraint::activate({top, bottom});
    EXPECT_EQ(inner->constraints(), (std::vector<LayoutConstraintPtr>{top, bottom}));
    EXPECT_EQ(top->secondAnchor()->view(), outer.get());
    EXPECT_TRUE(bottom->secondAnchor()->isSafeArea());
    LayoutConstraint::deactivate({top});
    EXPECT_FALSE(top->isActive());
    EXPECT_EQ(inner->constraints(), std::vector<LayoutConstraintPtr>{bottom});
}

TEST_F(ViewTest, TapsReachAButtonThroughRecognisersThatLetThemPass) {
    const auto screen = std::make_shared<View>();
    const auto button = std::make_shared<Button>();
    button->setTitle("Continue");
    screen->addSubview(button);
    int dismissals = 0;
    int presses = 0;
    const auto dismissKeyboard = std::make_shared<TapGestureRecognizer>([&] { ++dismissals; });
    dismissKeyboard->setCancelsTouchesInView(false);
    screen->addGestureRecognizer(dismissKeyboard);
    button->addTarget(ControlEvent::touchUpInside, [&](Control&) { ++presses; });
    EXPECT_TRUE(button->tap());
    EXPECT_EQ(screen->tap(), true);
    EXPECT_EQ(dismissals, 2);
    EXPECT_EQ(presses, 1);

    dismissKeyboard->setCancelsTouchesInView(true);
    EXPECT_FALSE(button->tap());
    button->setEnabled(false);
    EXPECT_FALSE(button->tap());
    EXPECT_EQ(screen->snapshotLines(), std::vector<std::string>{"button: [Continue] (disabled)"});
    button->setEnabled(true);
    screen->setHidden(true);
    EXPECT_FALSE(button->tap());
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(dismissals, 3);
}

TEST_F(ViewTest, SpinnerShowsOnlyWhileSpinning) {
    const auto spinner = std::make_shared<ActivityIndicatorView>();
    EXPECT_TRUE(spinner->snapshotLines().empty());
    spinner->startAnimating();
    EXPECT_EQ(spinner->snapshotLines(), std::vector<std::string>{"spinner: spinning"});
    spinner->stopAnimating();
    EXPECT_TRUE(spinner->isHidden());
}

TEST_F(ViewTest, BarButtonAppearanceInsideABarClassOverridesTheGlobalOne) {
    struct BrandedBar : NavigationBar {};
    const auto global = Color::rgba(0, 0, 0, 1);
    const auto branded = Color::rgba(1, 0, 0, 1);
    BarButtonItemAppearance::set({global, {{ControlState::normal, Font::system(17)}}});
    BarButtonItemAppearance::set({branded, {}}, std::type_index(typeid(BrandedBar)));
    const BarButtonItem item(Image::system("xmark"), BarButtonItem::Style::plain, {});
    EXPECT_EQ(item.tintColor(), global);
    EXPECT_EQ(item.tintColor(std::type_index(typeid(BrandedBar))), branded);
    EXPECT_EQ(item.tintColor(std::type_index(typeid(NavigationBar))), global);
    EXPECT_EQ(item.titleFont(ControlState::normal, std::type_index(typeid(BrandedBar))),
              Font::system(17));
    EXPECT_EQ(item.titleFont(ControlState::highlighted), std::nullopt);
}

}  // namespace
}  // namespace corvend::platform::ui
