#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardPresenter.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardViewController.hpp"
#include "CorvendWallet/ui/foundation/CVVAndExpiryDateView.hpp"
#include "CorvendWallet/ui/foundation/CvvValidator.hpp"
#include "CorvendWallet/ui/foundation/TableViewCell.hpp"
#include "tests/support/CardScreenDoubles.hpp"
#include "tests/support/HostTranslation.hpp"
#include "tests/support/ThemedTest.hpp"

namespace corvend {
namespace {

const std::string kCvvText = "3 digits from the back of your card";

model::CardPaymentInstrument savedCard(std::optional<model::CardScheme> scheme,
                                       std::optional<std::string> description) {
    return model::CardPaymentInstrument({.id = "pi-1",
                                         .pan = "************4242",
                                         .expiryDate = {.year = 2028, .month = 3},
                                         .cardScheme = scheme,
                                         .description = std::move(description)});
}

class ConfirmCardScreenTest : public components::testing::ThemedTest {
  protected:
    void show(model::CardPaymentInstrument card) {
        screen = std::make_shared<ConfirmCardViewController>();
        presenter = std::make_shared<ConfirmCardPresenter>(
            screen, router, interactor, std::move(card),
            std::vector<CardType>{CardType::visa, CardType::masterCard},
            [this](CardDepositState state) { outcomes.push_back(std::move(state)); },
            [](CardType type) {
                return ConfirmCardPresenter::CvvValidatorType::of(
                    std::make_shared<CvvValidator>(type));
            });
        screen->setOutput(presenter);
        screen->view();
    }

    components::TextField& cvv() {
        auto cell = std::dynamic_pointer_cast<TableViewCell<CVVAndExpiryDateView>>(
            screen->tableView()->cellForRow({1, 0}));
        return *cell->view()->cvvView();
    }
    std::vector<std::string> lines() { return screen->view()->snapshotLines(); }
    bool shows(const std::string& line) {
        const auto all = lines();
        return std::find(all.begin(), all.end(), line) != all.end();
    }

    std::shared_ptr<ConfirmCardViewController> screen;
    std::shared_ptr<testing::RecordingCardDepositInteractor> interactor =
        std::make_shared<testing::RecordingCardDepositInteractor>();
    std::shared_ptr<testing::RecordingCardDepositRouter> router =
        std::make_shared<testing::RecordingCardDepositRouter>();
    std::shared_ptr<ConfirmCardPresenter> presenter;
    std::vector<CardDepositState> outcomes;
};

TEST_F(ConfirmCardScreenTest, ShowsTheSavedCardReadOnlyWithItsLabel) {
    show(savedCard(model::CardScheme::visa, "Work"));
    EXPECT_TRUE(shows("field: \"************4242\" placeholder \"Card number\" (disabled)"));
    EXPECT_TRUE(shows("field: \"**/**\" placeholder \"Expiry date\" (disabled)"));
    EXPECT_TRUE(shows("field: \"Work\" placeholder \"Card name (optional)\" (disabled)"));
    EXPECT_TRUE(shows("button: [Continue] (disabled)"));
    EXPECT_EQ(screen->tableView()->visibleCells().size(), 3u);
}

TEST_F(ConfirmCardScreenTest, ACardWithoutDescriptionHasNoLabelRow) {
    show(savedCard(std::nullopt, std::nullopt));
    EXPECT_EQ(screen->tableView()->visibleCells().size(), 2u);
}

TEST_F(ConfirmCardScreenTest, TheSecurityCodeDecidesContinueOnEveryKeystroke) {
    show(savedCard(model::CardScheme::visa, std::nullopt));
    const struct {
        std::string key;  // "<" deletes
        std::string bottomText, button;
    } steps[] = {
        {"1", "error: " + kCvvText, "button: [Continue] (disabled)"},
        {"2", "error: " + kCvvText, "button: [Continue] (disabled)"},
        {"3", "helper: " + kCvvText, "button: [Continue]"},
        {"<", "error: " + kCvvText, "button: [Continue] (disabled)"},
        {"<", "error: " + kCvvText, "button: [Continue] (disabled)"},
        {"<", "error: This field is required", "button: [Continue] (disabled)"},
    };
    for (const auto& step : steps) {
        if (step.key == "<")
            cvv().deleteBackward();
        else
            cvv().type(step.key);
        SCOPED_TRACE(cvv().text());
        EXPECT_TRUE(shows(step.bottomText));
        EXPECT_TRUE(shows(step.button));
    }
}

TEST_F(ConfirmCardScreenTest, TheSecurityCodeTextsFollowTheHostsTranslation) {
    show(savedCard(model::CardScheme::visa, std::nullopt));
    const testing::HostTranslation translation("digits from the back of your card",
                                               "Ziffern auf der Rückseite");
    const std::string translated = "3 Ziffern auf der Rückseite";
    cvv().type("1");
    EXPECT_TRUE(shows("error: " + translated));
    show(savedCard(model::CardScheme::visa, std::nullopt));
    EXPECT_TRUE(shows("helper: " + translated));
    EXPECT_EQ(ConfirmCardViewModel::placeholder().cvv.bottomText,
              FieldBottomText::helper(translated));
}

TEST_F(ConfirmCardScreenTest, ContinueSendsOnlyTheSecurityCodeOnce) {
    show(savedCard(model::CardScheme::visa, "Work"));
    cvv().type("123");
    screen->bottomView()->button()->tap();
    screen->bottomView()->button()->tap();  // loading: no second create
    ASSERT_EQ(interactor->deposits.size(), 1u);
    const auto& [input, isNewCard] = interactor->deposits[0];
    EXPECT_FALSE(isNewCard);
    EXPECT_EQ(input.cvv, "123");
    EXPECT_EQ(input.saveCard, std::nullopt);
    EXPECT_EQ(input.cardLabel, "Work");
    EXPECT_EQ(input.cardType, CardType::visa);
    EXPECT_TRUE(shows("button: [Continue] (loading)"));

    presenter->cardDepositDidSucceed(testing::pendingDeposit(), {nullptr, "Work *4242"});
    EXPECT_TRUE(shows("button: [Continue]"));
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_TRUE(std::holds_alternative<CardDepositState::Success>(outcomes[0].value));
}

TEST_F(ConfirmCardScreenTest, AFailedCreateEndsTheLoadingAndReportsTheErrorOnce) {
    show(savedCard(model::CardScheme::mastercard, std::nullopt));
    cvv().type("123");
    screen->bottomView()->button()->tap();
    screen->navigationItem().leftBarButtonItem->tap();  // waits for the create step
    EXPECT_TRUE(outcomes.empty());
    presenter->cardDepositDidFail(Error::make(std::runtime_error("declined")));
    EXPECT_TRUE(shows("button: [Continue]"));
    screen->navigationItem().leftBarButtonItem->tap();
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_TRUE(std::holds_alternative<CardDepositState::Failure>(outcomes[0].value));
}

TEST_F(ConfirmCardScreenTest, CloseBeforeContinueCancelsWithoutAskingTheInteractor) {
    show(savedCard(model::CardScheme::visa, std::nullopt));
    screen->bottomView()->button()->tap();  // disabled: nothing typed
    screen->navigationItem().leftBarButtonItem->tap();
    EXPECT_TRUE(interactor->deposits.empty());
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_TRUE(std::holds_alternative<CardDepositState::Cancel>(outcomes[0].value));
}

TEST_F(ConfirmCardScreenTest, TheHintsOpenTheirSheets) {
    show(savedCard(model::CardScheme::visa, std::nullopt));
    screen->navigationItem().rightBarButtonItem->tap();
    std::dynamic_pointer_cast<TableViewCell<CVVAndExpiryDateView>>(
        screen->tableView()->cellForRow({1, 0}))
        ->view()
        ->helpButton()
        ->tap();
    EXPECT_EQ(router->hintTitles,
              (std::vector<std::string>{"Manage your cards", "Where is the security code?"}));
}

}  // namespace
}  // namespace corvend
