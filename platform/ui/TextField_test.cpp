#include "platform/ui/TextField.hpp"

#include <gtest/gtest.h>

#include "platform/async/MainQueue.hpp"
#include "platform/ui/StackView.hpp"

namespace corvend::platform::ui {
namespace {

// Accepts digits only and records what it was asked and told.
struct DigitsOnly : TextFieldDelegate {
    std::vector<std::pair<TextRange, std::string>> asked;
    int ended = 0;
    bool shouldChangeCharactersIn(TextField&, TextRange range, const std::string& text) override {
        asked.emplace_back(range, text);
        return text.find_first_not_of("0123456789") == std::string::npos;
    }
    void didEndEditing(TextField&) override { ++ended; }
};

// Makes the test's thread the main thread before the fixture's views are made.
struct OnMainThread {
    OnMainThread() { MainQueue::shared().drain(); }
};

class TextFieldTest : public ::testing::Test, private OnMainThread {
  protected:
    void SetUp() override {
        field->setDelegate(delegate);
        field->addTarget(ControlEvent::editingChanged, [this](Control&) { ++changes; });
    }
    std::shared_ptr<TextField> field = std::make_shared<TextField>();
    std::shared_ptr<DigitsOnly> delegate = std::make_shared<DigitsOnly>();
    int changes = 0;
};

TEST_F(TextFieldTest, TypingAsksTheDelegateForEachCharacterAndMovesTheCaret) {
    EXPECT_EQ(field->text(), "");
    EXPECT_EQ(field->selectedRange(), (TextRange{0, 0}));
    field->type("4a2");
    EXPECT_EQ(field->text(), "42");
    EXPECT_EQ(changes, 2);  // the refused "a" sends nothing
    EXPECT_EQ(delegate->asked[1], (std::pair{TextRange{1, 0}, std::string("a")}));
    EXPECT_EQ(field->selectedRange(), (TextRange{2, 0}));
    EXPECT_TRUE(field->isFirstResponder());

    field->setSelectedRange({1, 0});
    field->type("7");
    EXPECT_EQ(field->text(), "472");
    EXPECT_EQ(field->selectedRange(), (TextRange{2, 0}));
}

TEST_F(TextFieldTest, PasteReplacesTheSelectionAsOneEditAndDeleteTakesWholeCharacters) {
    field->setText("1234");
    EXPECT_EQ(field->selectedRange(), (TextRange{4, 0}));  // setText puts the caret at the end
    EXPECT_EQ(changes, 0);
    field->setSelectedRange({1, 2});
    field->paste("99x");
    EXPECT_EQ(field->text(), "1234");  // refused whole, not cut
    field->paste("999");
    EXPECT_EQ(field->text(), "19994");
    EXPECT_EQ(field->selectedRange(), (TextRange{4, 0}));
    field->setSelectedRange({0, 2});
    field->deleteBackward();
    EXPECT_EQ(field->text(), "994");
    EXPECT_EQ(delegate->asked.back(), (std::pair{TextRange{0, 2}, std::string()}));

    field->setDelegate({});
    field->setText("a💳b");  // the card takes two UTF-16 units
    EXPECT_EQ(field->length(), 4);
    field->setSelectedRange({3, 0});
    field->deleteBackward();
    EXPECT_EQ(field->text(), "ab");
    EXPECT_EQ(field->selectedRange(), (TextRange{1, 0}));
    EXPECT_EQ(field->position(2), 2);
    EXPECT_EQ(field->position(3), std::nullopt);
    field->setSelectedRange({1, 0});
    field->deleteBackward();
    field->deleteBackward();  // nothing before the caret: no edit
    EXPECT_EQ(field->text(), "b");

    // A character of several code points goes with one key press.
    field->setText("4\r\ne\u0301\U0001F1E9\U0001F1EA");
    field->deleteBackward();
    EXPECT_EQ(field->text(), "4\r\ne\u0301");
    field->deleteBackward();
    EXPECT_EQ(field->text(), "4\r\n");
    field->deleteBackward();
    EXPECT_EQ(field->text(), "4");
    EXPECT_EQ(field->selectedRange(), (TextRange{1, 0}));
}

TEST_F(TextFieldTest, OneFieldOfAWindowEditsAtATime) {
    const auto window = std::make_shared<StackView>();
    const auto other = std::make_shared<TextField>();
    window->addArrangedSubview(field);
    window->addArrangedSubview(other);
    int ends = 0;
    field->addTarget(ControlEvent::editingDidEnd, [&](Control&) { ++ends; });
    EXPECT_TRUE(field->becomeFirstResponder());
    EXPECT_TRUE(other->tap());
    EXPECT_TRUE(other->isFirstResponder());
    EXPECT_FALSE(field->isFirstResponder());
    EXPECT_EQ(delegate->ended, 1);
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(window->endEditing(true));
    EXPECT_FALSE(other->isFirstResponder());
    EXPECT_EQ(window->snapshotLines(), (std::vector<std::string>{"field: \"\"", "field: \"\""}));

    // A disabled or hidden field cannot be focused or typed into.
    field->setEnabled(false);
    field->type("1");
    other->setHidden(true);
    other->type("1");
    EXPECT_EQ(field->text() + other->text(), "");
    EXPECT_FALSE(field->isFirstResponder() || other->isFirstResponder());
}

}  // namespace
}  // namespace corvend::platform::ui
