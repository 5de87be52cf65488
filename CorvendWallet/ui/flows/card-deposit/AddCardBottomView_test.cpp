#include "CorvendWallet/ui/flows/card-deposit/AddCardBottomView.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "CorvendWallet/ui/foundation/CardType.hpp"
#include "tests/support/ThemedTest.hpp"

namespace corvend {
namespace {

using platform::ui::Traits;
using platform::ui::UserInterfaceStyle;

class AddCardBottomViewTest : public components::testing::ThemedTest {
  protected:
    void SetUp() override {
        ThemedTest::SetUp();
        view = std::make_shared<AddCardBottomView>();
    }

    std::shared_ptr<AddCardBottomView> view;
};

TEST_F(AddCardBottomViewTest, ANewModelReplacesTheLogosAndNoLogosHideTheCaption) {
    view->setBottomViewModel(AddCardBottomViewModel{
        {CardType(CardType::visa).logo(), CardType(CardType::masterCard).logo()}, "Add a card"});
    view->setBottomViewModel(AddCardBottomViewModel{{CardType(CardType::visa).logo()}, "Go"});
    EXPECT_EQ(view->paymentMethodsContainer()->arrangedSubviews().size(), 1u);
    EXPECT_EQ(view->paymentMethodsContainer()->subviews().size(), 1u);
    EXPECT_FALSE(view->paymentMethodsStack()->isHidden());
    EXPECT_EQ(view->availablePaymentMethodsLabel()->text(), "Accepted cards");

    view->setBottomViewModel(AddCardBottomViewModel{{}, "Continue"});
    EXPECT_TRUE(view->paymentMethodsStack()->isHidden());
    const auto lines = view->snapshotLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "button: [Continue]"), lines.end());
}

TEST_F(AddCardBottomViewTest, OnlyALightOrDarkChangeRebuildsTheLogos) {
    view->setBottomViewModel(AddCardBottomViewModel{{CardType(CardType::visa).logo()}, "Go"});
    view->setOverrideTraits(Traits{UserInterfaceStyle::light});
    const auto before = view->paymentMethodsContainer()->arrangedSubviews().at(0);
    view->traitCollectionDidChange(Traits{UserInterfaceStyle::light});
    EXPECT_EQ(view->paymentMethodsContainer()->arrangedSubviews().at(0), before);
    view->setOverrideTraits(Traits{UserInterfaceStyle::dark});
    ASSERT_EQ(view->paymentMethodsContainer()->arrangedSubviews().size(), 1u);
    EXPECT_NE(view->paymentMethodsContainer()->arrangedSubviews().at(0), before);
}

}  // namespace
}  // namespace corvend
