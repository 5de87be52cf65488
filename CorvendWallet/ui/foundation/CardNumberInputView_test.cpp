#include "CorvendWallet/ui/foundation/CardNumberInputView.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/ui/ImageView.hpp"
#include "platform/ui/Screen.hpp"
#include "tests/support/ThemedTest.hpp"

namespace corvend {
namespace {

using platform::ui::TextRange;

// The add-card screen's part: each change regroups the digits and shows the brand.
class Owner : public CardNumberInputViewDelegate {
  public:
    void cardNumberInputViewDidChangeText(CardNumberInputView& view,
                                          const std::string& text) override {
        std::string digits;
        for (char c : text) {
            if (c != ' ') digits += c;
        }
        texts.push_back(text);
        view.currentCardType = CardType(digits);
        view.setCardLogo(*view.currentCardType);
        view.setMaskedText(digits);
    }
    void cardNumberInputViewDidEndChangingText(CardNumberInputView&,
                                               const std::string& text) override {
        ended.push_back(text);
    }

    std::vector<std::string> texts;
    std::vector<std::string> ended;
};

class CardNumberInputViewTest : public components::testing::ThemedTest {
  protected:
    void SetUp() override {
        ThemedTest::SetUp();
        field = std::make_shared<CardNumberInputView>();
        field->cardNumberDelegate = owner;
    }

    std::string logoName() const {
        const auto logo = std::dynamic_pointer_cast<platform::ui::ImageView>(field->leftView());
        return logo ? logo->image()->name() : "";
    }

    std::shared_ptr<CardNumberInputView> field;
    std::shared_ptr<Owner> owner = std::make_shared<Owner>();
};

TEST_F(CardNumberInputViewTest, RegroupsKeepingTheCaretBehindTheTypedDigit) {
    EXPECT_EQ(field->placeholder(), "Card number");
    field->type("4");
    EXPECT_EQ(owner->texts, std::vector<std::string>{"4"});
    EXPECT_EQ(logoName(), "logo_visa");
    // Text, caret, typed digit, text and caret after.
    const std::vector<std::tuple<std::string, int, std::string, std::string, int>> cases = {
        {"4111 111", 8, "1", "4111 1111", 9},
        {"4111 1111", 9, "1", "4111 1111 1", 11},
        {"4111 1111 1111", 7, "5", "4111 1151 1111 1", 8},
        {"4111 1111", 4, "5", "4111 5111 1", 6},
        {"", 0, "5", "5", 1},
    };
    for (const auto& [text, caret, digit, after, caretAfter] : cases) {
        field->setText(text);
        field->setSelectedRange({caret, 0});
        field->type(digit);
        EXPECT_EQ(field->text(), after) << text;
        EXPECT_EQ(field->selectedRange(), (TextRange{caretAfter, 0})) << text;
    }
    field->resignFirstResponder();
    EXPECT_EQ(owner->ended, std::vector<std::string>{"5"});
}

TEST_F(CardNumberInputViewTest, TakesDigitsUpToTwentyThreeCharactersAndAlwaysDeletes) {
    field->type(std::string(25, '4'));
    EXPECT_EQ(field->text(), "4444 4444 4444 44444444");
    field->type("a-");
    field->paste("\u0661");
    EXPECT_EQ(field->text().size(), 23u);
    field->deleteBackward();
    EXPECT_EQ(field->text(), "4444 4444 4444 4444444");
    field->type("\u0662");
    EXPECT_EQ(field->text(), "4444 4444 4444 4444444\u0662");

    // White space aside, the text is digits; the owner regroups it.
    const auto plain = std::make_shared<CardNumberInputView>();
    plain->paste("41\u00a011\n");
    EXPECT_EQ(plain->text(), "41\u00a011\n");

    // A pasted line break goes with one key press, every time.
    plain->setText("");
    plain->paste("4111\r\n");
    plain->deleteBackward();
    EXPECT_EQ(plain->text(), "4111");
    plain->deleteBackward();
    EXPECT_EQ(plain->text(), "411");
    // Deleting is accepted even where it cuts a character or leaves too long a number.
    plain->setText("4111\r\n");
    plain->setSelectedRange({5, 1});
    plain->deleteBackward();
    EXPECT_EQ(plain->text(), "4111\r");
    plain->setText(std::string(30, '4'));
    plain->deleteBackward();
    EXPECT_EQ(plain->text(), std::string(29, '4'));

    field->setText("41a1");
    field->type("1");
    field->deleteBackward();
    EXPECT_EQ(field->text(), "41a");
    field->setMaskedText(std::nullopt);
    EXPECT_EQ(field->text(), "41a");
}

TEST_F(CardNumberInputViewTest, RedrawsTheLogoOnlyForAKnownBrandOnALightOrDarkChange) {
    field->setOverrideTraits(platform::ui::Traits{platform::ui::UserInterfaceStyle::light});
    EXPECT_EQ(field->leftView(), nullptr);
    field->currentCardType = CardType::unknown;
    field->setCardLogo(CardType::unknown);
    const auto light = field->leftView();
    EXPECT_EQ(logoName(), "creditcard");
    field->setOverrideTraits(platform::ui::Traits{platform::ui::UserInterfaceStyle::light});
    EXPECT_EQ(field->leftView(), light);
    field->setOverrideTraits(platform::ui::Traits{platform::ui::UserInterfaceStyle::dark});
    EXPECT_NE(field->leftView(), light);
    EXPECT_EQ(logoName(), "creditcard");
}

TEST_F(CardNumberInputViewTest, DrawsTheBrandLogoAtTheMainScreensScale) {
    field->setCardLogo(CardType::visa);
    const auto logo = std::dynamic_pointer_cast<platform::ui::ImageView>(field->leftView());
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->image()->scale(), platform::ui::Screen::mainScale);
    EXPECT_EQ(logo->image()->size().width, 24);
}

}  // namespace
}  // namespace corvend
