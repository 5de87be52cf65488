#include "CorvendWallet/ui/flows/card-deposit/AddCardBuilder.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "CorvendCoreComponents/CheckboxLabelView.hpp"
#include "CorvendWallet/ui/flows/card-deposit/AddCardViewController.hpp"
#include "CorvendWallet/ui/foundation/CVVAndExpiryDateView.hpp"
#include "CorvendWallet/ui/foundation/CardNumberInputView.hpp"
#include "CorvendWallet/ui/foundation/TableViewCell.hpp"
#include "platform/async/CancellationError.hpp"
#include "platform/async/CancellationToken.hpp"
#include "tests/support/CardScreenDoubles.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"
#include "tests/support/FakeNetwork.hpp"
#include "tests/support/ThemedTest.hpp"

namespace corvend {
namespace {

using namespace std::chrono_literals;

class Flow : public AddCardDependency {
  public:
    explicit Flow(std::shared_ptr<DepositService> service) : service_(std::move(service)) {}
    std::shared_ptr<DepositService> depositService() const override { return service_; }

  private:
    std::shared_ptr<DepositService> service_;
};

class AddCardBuilderTest : public components::testing::ThemedTest {
  protected:
    // Builds the screen over `network` and submits a valid new card.
    void submitCard() {
        auto service = DepositRepository::make(
            network, std::make_shared<testing::FakeDeviceFingerprintProvider>());
        screen = std::dynamic_pointer_cast<AddCardViewController>(
            AddCardBuilder(std::make_shared<Flow>(service))
                .build({CardType::visa}, testing::pendingDeposit(),
                       [this](CardDepositState state) { outcomes.push_back(std::move(state)); }));
        screen->view();
        auto row = [this](int section) { return screen->tableView()->cellForRow({section, 0}); };
        std::dynamic_pointer_cast<TableViewCell<CardNumberInputView>>(row(0))->view()->type(
            "4242424242424242");
        const auto code = std::dynamic_pointer_cast<TableViewCell<CVVAndExpiryDateView>>(row(1));
        code->view()->expiryDateView()->type("1299");
        code->view()->cvvView()->type("123");
        screen->bottomView()->button()->tap();
    }

    std::shared_ptr<testing::FakeNetwork> network = std::make_shared<testing::FakeNetwork>();
    std::shared_ptr<AddCardViewController> screen;
    std::vector<CardDepositState> outcomes;
};

TEST_F(AddCardBuilderTest, TheCreatedDepositReachesTheFlowWithTheCardName) {
    network->setBody("{" + testing::kDepositRequiredMembers + "}");
    submitCard();
    ASSERT_TRUE(platform::MainQueue::shared().runUntil([&] { return !outcomes.empty(); }, 5s));
    ASSERT_TRUE(std::holds_alternative<CardDepositState::Success>(outcomes[0].value));
    EXPECT_EQ(std::get<CardDepositState::Success>(outcomes[0].value).cardDetails.cardName,
              " *4242");
}

TEST_F(AddCardBuilderTest, ReleasingTheScreenCancelsTheRunningCreateWhichReportsNothing) {
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    network->setReply({.failure = [cancelled] {
        std::promise<void> signal;
        const auto registration = platform::onCancel([&signal] { signal.set_value(); });
        signal.get_future().wait();
        *cancelled = true;
        throw platform::CancellationError();
    }});
    submitCard();
    ASSERT_TRUE(network->waitForSent(1, 5s));
    screen.reset();
    ASSERT_TRUE(platform::MainQueue::shared().runUntil([&] { return cancelled->load(); }, 5s));
    platform::MainQueue::shared().drain();
    EXPECT_TRUE(outcomes.empty());
}

// The screen's own router shows each hint as a sheet over the screen, with its title and text.
TEST_F(AddCardBuilderTest, EachHintOpensASheetWithItsTitleAndText) {
    screen = std::dynamic_pointer_cast<AddCardViewController>(
        AddCardBuilder(std::make_shared<Flow>(DepositRepository::make(
                           network, std::make_shared<testing::FakeDeviceFingerprintProvider>())))
            .build({CardType::visa, CardType::masterCard}, testing::pendingDeposit(),
                   [](CardDepositState) {}));
    screen->view();
    auto row = [this](int section) { return screen->tableView()->cellForRow({section, 0}); };
    // The sheet shown after `tap`, as text; the sheet is closed again.
    const auto sheetAfter = [this](const std::function<void()>& tap) {
        tap();
        const auto sheet = screen->presentedViewController();
        if (!sheet) return std::string("no sheet");
        std::string text = sheet->snapshot();
        screen->dismiss(false);
        return text;
    };
    const std::string codeSheet = sheetAfter([&] {
        std::dynamic_pointer_cast<TableViewCell<CVVAndExpiryDateView>>(row(1))
            ->view()
            ->helpButton()
            ->tap();
    });
    EXPECT_NE(codeSheet.find("Where is the security code?"), std::string::npos) << codeSheet;
    const std::string manageSheet =
        sheetAfter([&] { screen->navigationItem().rightBarButtonItem->tap(); });
    EXPECT_NE(manageSheet.find("Manage your cards"), std::string::npos) << manageSheet;
    EXPECT_NE(manageSheet.find("You can remove a saved card at any time in your wallet."),
              std::string::npos)
        << manageSheet;
    const std::string saveSheet = sheetAfter([&] {
        std::dynamic_pointer_cast<TableViewCell<components::CheckboxLabelView>>(row(3))
            ->view()
            ->label()
            ->tapLink("Learn more");
    });
    EXPECT_NE(saveSheet.find("Save your card"), std::string::npos) << saveSheet;
    EXPECT_NE(saveSheet.find("Keep this card to pay faster next time."), std::string::npos)
        << saveSheet;
}

}  // namespace
}  // namespace corvend
