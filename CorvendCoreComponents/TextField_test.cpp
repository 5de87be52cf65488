#include "CorvendCoreComponents/TextField.hpp"

#include <gtest/gtest.h>

#include "CorvendCoreComponents/Button.hpp"
#include "CorvendCoreComponents/Views.hpp"
#include "platform/async/MainQueue.hpp"
#include "tests/support/ThemeFixture.hpp"

namespace corvend::components {
namespace {

using Lines = std::vector<std::string>;

class ControlsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::MainQueue::shared().drain();
        testing::configureTheme();
    }
};

TEST_F(ControlsTest, FieldShowsItsHelperOutsideAndItsErrorInsideTheErrorState) {
    const auto field = std::make_shared<TextField>();
    field->setPlaceholderText("Card number");
    field->setHelperText("Must be in your name");
    field->type("4111");
    EXPECT_EQ(field->snapshotLines(),
              (Lines{"field: \"4111\" placeholder \"Card number\" (editing)",
                     "helper: Must be in your name"}));

    field->setHasError(true);
    EXPECT_EQ(field->errorText(), "");
    field->setErrorText("Invalid card number");
    field->setLeadingView(
        Views::image(platform::ui::Image::system("creditcard"), Views::ImageSize::square24));
    field->resignFirstResponder();
    EXPECT_EQ(field->snapshotLines(),
              (Lines{"field: \"4111\" placeholder \"Card number\"", "error: Invalid card number",
                     "image: exclamationmark.triangle", "image: creditcard"}));

    field->setHasError(false);  // leaves the error state and forgets its text
    EXPECT_EQ(field->errorText(), std::nullopt);
    EXPECT_EQ(field->snapshotLines()[1], "helper: Must be in your name");
}

TEST_F(ControlsTest, ReadOnlyAndDisabledFieldsTakeNoEdits) {
    const auto field = std::make_shared<TextField>();
    field->setText("12/29");
    field->setTextFieldStyle(TextFieldStyle::readOnly);
    EXPECT_TRUE(field->becomeFirstResponder());  // it can be selected, not changed
    field->deleteBackward();
    field->setTextFieldStyle(TextFieldStyle::disabled);
    field->type("1");
    EXPECT_EQ(field->text(), "12/29");
    field->setTextFieldStyle(TextFieldStyle::enabled);
    field->deleteBackward();
    EXPECT_EQ(field->text(), "12/2");
}

TEST_F(ControlsTest, ButtonThatShowsLoadingTakesNoTaps) {
    const auto button = std::make_shared<Button>();
    button->setTitle("Continue");
    int taps = 0;
    button->action = [&] { ++taps; };
    EXPECT_TRUE(button->tap());
    button->showLoading();
    EXPECT_FALSE(button->tap());
    EXPECT_EQ(button->snapshotLines(), Lines{"button: [Continue] (loading)"});
    button->hideLoading();
    button->setEnabled(false);
    EXPECT_FALSE(button->tap());
    EXPECT_EQ(button->snapshotLines(), Lines{"button: [Continue] (disabled)"});
    button->setEnabled(true);
    EXPECT_TRUE(button->tap());
    EXPECT_EQ(taps, 2);
}

}  // namespace
}  // namespace corvend::components
