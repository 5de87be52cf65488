#include "CorvendWallet/ui/flows/card-deposit/AddCardPresenter.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "CorvendCoreComponents/CheckboxLabelView.hpp"
#include "CorvendWallet/ui/flows/card-deposit/AddCardViewController.hpp"
#include "CorvendWallet/ui/foundation/CVVAndExpiryDateView.hpp"
#include "CorvendWallet/ui/foundation/CardNumberInputView.hpp"
#include "CorvendWallet/ui/foundation/TableViewCell.hpp"
#include "tests/support/CardScreenDoubles.hpp"
#include "tests/support/HostTranslation.hpp"
#include "tests/support/ThemedTest.hpp"

namespace corvend {
namespace {

using namespace std::chrono;

const std::string kRequired = "error: This field is required";
const std::string kInvalidNumber = "error: Enter a valid card number";
const std::string kInName = "helper: The card must be in your name.";
const std::string kInvalidDate = "error: Enter a valid date";
const std::string kExpired = "error: This card has expired";
const std::string kDateHelper = "helper: MM/YY";
const std::string kCvvText = "3 digits from the back of your card";

class AddCardScreenTest : public components::testing::ThemedTest {
  protected:
    void SetUp() override {
        ThemedTest::SetUp();
        screen = std::make_shared<AddCardViewController>();
        auto validators = AddCardPresenter::defaultValidators({CardType::visa});
        // Mid-June 2026 in GMT.
        validators.expiryDate = AddCardPresenter::ExpiryDateValidatorType::of(
            std::make_shared<ExpiryDateValidator>([] { return sys_days{2026y / June / 15}; }));
        presenter = std::make_shared<AddCardPresenter>(
            screen, interactor, router, std::vector<CardType>{CardType::visa},
            [this](CardDepositState state) { outcomes.push_back(std::move(state)); },
            std::move(validators));
        screen->setOutput(presenter);
        screen->view();
    }

    template <class View>
    View& viewAt(int section) {
        auto cell = std::dynamic_pointer_cast<TableViewCell<View>>(
            screen->tableView()->cellForRow({section, 0}));
        return *cell->view();
    }
    CardNumberInputView& number() { return viewAt<CardNumberInputView>(0); }
    components::TextField& expiry() { return *viewAt<CVVAndExpiryDateView>(1).expiryDateView(); }
    components::TextField& cvv() { return *viewAt<CVVAndExpiryDateView>(1).cvvView(); }
    components::TextField& label() { return viewAt<components::TextField>(2); }

    static void clear(platform::ui::TextField& field) {
        while (!field.text().empty()) field.deleteBackward();
    }

    // The line under each field, as a person reads them: number, code, expiry, label.
    static constexpr std::size_t kCvvLine = 1, kExpiryLine = 2;
    std::vector<std::string> bottomTexts() {
        const auto lines = screen->view()->snapshotLines();
        std::vector<std::string> texts;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (!lines[i].starts_with("field: ")) continue;
            const bool under = i + 1 < lines.size() && (lines[i + 1].starts_with("helper: ") ||
                                                        lines[i + 1].starts_with("error"));
            texts.push_back(under ? lines[i + 1] : "");
        }
        return texts;
    }
    std::string submitButton() {
        for (const auto& line : screen->view()->snapshotLines())
            if (line.starts_with("button: [Add a card]")) return line;
        return "";
    }

    void fillValidCard() {
        number().type("4242424242424242");
        expiry().type("1226");
        cvv().type("123");
    }

    std::shared_ptr<AddCardViewController> screen;
    std::shared_ptr<testing::RecordingCardDepositInteractor> interactor =
        std::make_shared<testing::RecordingCardDepositInteractor>();
    std::shared_ptr<testing::RecordingCardDepositRouter> router =
        std::make_shared<testing::RecordingCardDepositRouter>();
    std::shared_ptr<AddCardPresenter> presenter;
    std::vector<CardDepositState> outcomes;
};

TEST_F(AddCardScreenTest, ANewScreenShowsTheHelperTextsAndADisabledSubmitButton) {
    EXPECT_EQ(bottomTexts(),
              (std::vector<std::string>{kInName, "helper: " + kCvvText, kDateHelper,
                                        "helper: A name that helps you tell this card apart"}));
    EXPECT_EQ(submitButton(), "button: [Add a card] (disabled)");
}

TEST_F(AddCardScreenTest, TheCardNumberIsCheckedOnEveryKeystroke) {
    const std::string digits = "4242424242424242";
    for (std::size_t typed = 1; typed <= digits.size(); ++typed) {
        number().type(digits.substr(typed - 1, 1));
        EXPECT_EQ(bottomTexts()[0], typed < 16 ? kInvalidNumber : kInName) << typed;
    }
    number().deleteBackward();
    EXPECT_EQ(bottomTexts()[0], kInvalidNumber);
    clear(number());
    EXPECT_EQ(bottomTexts()[0], kRequired);
}

TEST_F(AddCardScreenTest, ACardNumberGetsTheTextOfItsFault) {
    const struct {
        std::string typed, expected;
    } rows[] = {
        {"5555555555554444", "error: This card brand is not supported"},
        {"4242424242424241", kInvalidNumber},   // fails the Luhn check
        {"42424242424242424", kInvalidNumber},  // 17 digits
        {"4242424242424242", kInName},
    };
    for (const auto& row : rows) {
        clear(number());
        number().type(row.typed);
        EXPECT_EQ(bottomTexts()[0], row.expected) << row.typed;
    }
}

TEST_F(AddCardScreenTest, TheExpiryIsCheckedOnEveryKeystroke) {
    const std::vector<std::string> afterEach = {kInvalidDate, kInvalidDate, kExpired, kDateHelper};
    const std::string digits = "1226";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        expiry().type(digits.substr(i, 1));
        EXPECT_EQ(bottomTexts()[kExpiryLine], afterEach[i]) << expiry().text();
    }
    const struct {
        std::string typed, expected;
    } rows[] = {{"0526", kExpired}, {"0626", kDateHelper}, {"1330", kInvalidDate}};
    for (const auto& row : rows) {
        clear(expiry());
        expiry().type(row.typed);
        EXPECT_EQ(bottomTexts()[kExpiryLine], row.expected) << row.typed;
    }
    clear(expiry());
    EXPECT_EQ(bottomTexts()[kExpiryLine], kRequired);
}

TEST_F(AddCardScreenTest, TheSecurityCodeTurnsItsHelperTextIntoAnErrorUntilThreeDigits) {
    const std::vector<std::string> afterEach = {"error: " + kCvvText, "error: " + kCvvText,
                                                "helper: " + kCvvText};
    for (std::size_t i = 0; i < 3; ++i) {
        cvv().type(std::to_string(i + 1));
        EXPECT_EQ(bottomTexts()[kCvvLine], afterEach[i]);
    }
    cvv().deleteBackward();
    EXPECT_EQ(bottomTexts()[kCvvLine], "error: " + kCvvText);
    clear(cvv());
    EXPECT_EQ(bottomTexts()[kCvvLine], kRequired);
}

TEST_F(AddCardScreenTest, TheSecurityCodeTextsFollowTheHostsTranslationAtEachEdit) {
    const testing::HostTranslation translation("digits from the back of your card",
                                               "Ziffern auf der Rückseite");
    const std::string translated = "3 Ziffern auf der Rückseite";
    cvv().type("1");
    EXPECT_EQ(bottomTexts()[kCvvLine], "error: " + translated);
    cvv().type("23");
    EXPECT_EQ(bottomTexts()[kCvvLine], "helper: " + translated);
    presenter->cvvDidChange(std::nullopt);
    EXPECT_EQ(screen->viewModel().cvv.bottomText, FieldBottomText::helper(translated));
}

TEST_F(AddCardScreenTest, SubmitIsEnabledOnlyWhileTheThreeCardFieldsAreValid) {
    const std::string disabled = "button: [Add a card] (disabled)";
    const std::string enabled = "button: [Add a card]";
    number().type("4242424242424242");
    EXPECT_EQ(submitButton(), disabled);
    expiry().type("1226");
    EXPECT_EQ(submitButton(), disabled);
    cvv().type("12");
    EXPECT_EQ(submitButton(), disabled);
    cvv().type("3");
    EXPECT_EQ(submitButton(), enabled);
    viewAt<components::CheckboxLabelView>(3).checkbox()->tap();
    label().type("Salary");
    EXPECT_EQ(submitButton(), enabled);
    number().deleteBackward();
    EXPECT_EQ(submitButton(), disabled);
    number().type("2");
    expiry().deleteBackward();
    EXPECT_EQ(submitButton(), disabled);
}

TEST_F(AddCardScreenTest, SubmittingHandsOverTheCardOnceAndAFailureEndsTheLoading) {
    fillValidCard();
    label().type("Salary");
    viewAt<components::CheckboxLabelView>(3).checkbox()->tap();
    screen->bottomView()->button()->tap();
    EXPECT_EQ(submitButton(), "button: [Add a card] (loading)");
    screen->bottomView()->button()->tap();  // takes no taps while loading
    ASSERT_EQ(interactor->deposits.size(), 1u);
    const auto& [input, isNewCard] = interactor->deposits[0];
    EXPECT_TRUE(isNewCard);
    EXPECT_EQ(input.cardNumber, "4242424242424242");
    EXPECT_EQ(input.cvv, "123");
    EXPECT_EQ(input.expiryMonth, 12);
    EXPECT_EQ(input.expiryYear, 26);
    EXPECT_EQ(input.saveCard, true);
    EXPECT_EQ(input.cardLabel, "Salary");
    EXPECT_EQ(input.cardType, CardType::visa);

    presenter->cardDepositDidFail(Error::make(std::runtime_error("declined")));
    EXPECT_EQ(submitButton(), "button: [Add a card]");
    ASSERT_EQ(outcomes.size(), 1u);
    ASSERT_TRUE(std::holds_alternative<CardDepositState::Failure>(outcomes[0].value));
    EXPECT_EQ(std::get<CardDepositState::Failure>(outcomes[0].value).error.description(),
              "declined");
}

TEST_F(AddCardScreenTest, AConsentNeverGivenIsSentAsRefusedAndAnUntypedLabelAsAbsent) {
    fillValidCard();
    screen->bottomView()->button()->tap();
    ASSERT_EQ(interactor->deposits.size(), 1u);
    EXPECT_EQ(interactor->deposits[0].first.saveCard, false);
    EXPECT_EQ(interactor->deposits[0].first.cardLabel, std::nullopt);
}

TEST_F(AddCardScreenTest, ACloseDuringTheSubmitWaitsForItsAnswerAndTheScreenReportsOnce) {
    fillValidCard();
    screen->bottomView()->button()->tap();
    screen->navigationItem().leftBarButtonItem->tap();
    EXPECT_TRUE(outcomes.empty());
    presenter->cardDepositDidSucceed(testing::pendingDeposit(), {nullptr, " *4242"});
    screen->navigationItem().leftBarButtonItem->tap();
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_TRUE(std::holds_alternative<CardDepositState::Cancel>(outcomes[0].value));
}

TEST_F(AddCardScreenTest, ASuccessReachesTheFlowWithTheCardDetails) {
    fillValidCard();
    screen->bottomView()->button()->tap();
    presenter->cardDepositDidSucceed(testing::pendingDeposit(), {nullptr, " *4242"});
    ASSERT_EQ(outcomes.size(), 1u);
    ASSERT_TRUE(std::holds_alternative<CardDepositState::Success>(outcomes[0].value));
    EXPECT_EQ(std::get<CardDepositState::Success>(outcomes[0].value).cardDetails.cardName,
              " *4242");
}

TEST_F(AddCardScreenTest, ClosingTwiceReportsOneCancelAndAsksNothingOfTheInteractor) {
    screen->navigationItem().leftBarButtonItem->tap();
    screen->navigationItem().leftBarButtonItem->tap();
    EXPECT_EQ(outcomes.size(), 1u);
    EXPECT_TRUE(interactor->deposits.empty());
}

TEST_F(AddCardScreenTest, TheLabelTakesTwentyCharactersAndRefusesALongerPasteWhole) {
    label().type("abcdefghijklmnopqrstu");
    EXPECT_EQ(label().text(), "abcdefghijklmnopqrst");
    clear(label());
    label().paste("abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(label().text(), "");
}

TEST_F(AddCardScreenTest, TheLengthLimitHoldsForTheLabelFieldAloneWhateverTheirTags) {
    // Another field the screen is the delegate of, with the default tag like the label's.
    const auto other = std::make_shared<components::TextField>();
    other->setDelegate(screen);
    other->type(std::string(25, 'x'));
    EXPECT_EQ(other->text(), std::string(25, 'x'));
    label().setTag(7);
    label().type(std::string(25, 'y'));
    EXPECT_EQ(label().text(), std::string(AddCardViewController::kMaxCardLabelLength, 'y'));
}

TEST_F(AddCardScreenTest, TheThreeHintsOpenTheirSheets) {
    screen->navigationItem().rightBarButtonItem->tap();
    viewAt<CVVAndExpiryDateView>(1).helpButton()->tap();
    viewAt<components::CheckboxLabelView>(3).label()->tapLink("Learn more");
    EXPECT_EQ(router->hintTitles,
              (std::vector<std::string>{"Manage your cards", "Where is the security code?",
                                        "Save your card"}));
}

}  // namespace
}  // namespace corvend
