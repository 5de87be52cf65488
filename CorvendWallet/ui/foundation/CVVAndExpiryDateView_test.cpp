#include "CorvendWallet/ui/foundation/CVVAndExpiryDateView.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/ThemedTest.hpp"

namespace corvend {
namespace {

class Owner : public CVVAndExpiryDateViewDelegate {
  public:
    void cvvAndExpiryDateViewTextFieldTextDidChange(CVVAndExpiryDateView&,
                                                    platform::ui::TextField& field) override {
        events.push_back("changed " + field.text());
    }
    void cvvAndExpiryDateViewTextFieldDidEndEditing(CVVAndExpiryDateView&,
                                                    platform::ui::TextField& field) override {
        events.push_back("ended " + field.text());
    }
    void cvvAndExpiryDateViewDidTapCVVHint() override { events.push_back("hint"); }

    std::vector<std::string> events;
};

class CVVAndExpiryDateViewTest : public components::testing::ThemedTest {
  protected:
    void SetUp() override {
        ThemedTest::SetUp();
        view = std::make_shared<CVVAndExpiryDateView>();
    }

    std::shared_ptr<CVVAndExpiryDateView> view;
    std::shared_ptr<Owner> owner = std::make_shared<Owner>();
};

TEST_F(CVVAndExpiryDateViewTest, TakesNoSecurityCodeUntilItsLengthIsSet) {
    view->cvvView()->type("1");
    EXPECT_EQ(view->cvvView()->text(), "");
    EXPECT_EQ(view->cvvView()->helperText(), "0 " + cvvHelperText(3).substr(2));
    EXPECT_EQ(view->cvvView()->placeholder(), "CVV");
    EXPECT_EQ(view->expiryDateView()->helperText(), "MM/YY");
    view->helpButton()->tap();  // no delegate: nothing happens
}

TEST_F(CVVAndExpiryDateViewTest, FiltersBothFieldsAndTellsTheOwner) {
    view->delegate = owner;
    view->cvvLength = 3;
    setUpAsCvvField(*view->cvvView(), view->cvvLength);
    EXPECT_EQ(view->cvvView()->helperText(), cvvHelperText(3));
    view->cvvView()->type("12a34");
    EXPECT_EQ(view->cvvView()->text(), "123");
    view->expiryDateView()->type("1a225/7");
    EXPECT_EQ(view->expiryDateView()->text(), "12/25");
    view->expiryDateView()->deleteBackward();
    view->helpButton()->tap();
    view->expiryDateView()->resignFirstResponder();
    EXPECT_EQ(owner->events,
              (std::vector<std::string>{"changed 1", "changed 12", "changed 123", "ended 123",
                                        "changed 1", "changed 12/", "changed 12/2", "changed 12/25",
                                        "changed 12/2", "hint", "ended 12/2"}));
}

TEST_F(CVVAndExpiryDateViewTest, SetsTheFieldsSideBySideSixteenPointsApart) {
    const auto& constraints = view->expiryDateView()->constraints();
    ASSERT_EQ(constraints.size(), 4u);
    EXPECT_EQ(constraints[3]->secondAnchor()->view(), view->cvvView().get());
    EXPECT_EQ(constraints[3]->constant(), -16);
    EXPECT_EQ(view->cvvView()->constraints().back()->secondAnchor()->view(),
              view->expiryDateView().get());
}

}  // namespace
}  // namespace corvend
