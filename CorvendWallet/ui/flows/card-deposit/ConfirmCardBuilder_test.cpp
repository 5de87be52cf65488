#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardBuilder.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

#include "CorvendWallet/ui/flows/card-deposit/CardDepositComponent.hpp"
#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardViewController.hpp"
#include "CorvendWallet/ui/foundation/CVVAndExpiryDateView.hpp"
#include "CorvendWallet/ui/foundation/TableViewCell.hpp"
#include "platform/async/CancellationError.hpp"
#include "platform/async/TaskPool.hpp"
#include "tests/support/CardScreenDoubles.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"
#include "tests/support/FakeNetwork.hpp"
#include "tests/support/HeldCall.hpp"
#include "tests/support/ThemedTest.hpp"

namespace corvend {
namespace {

using namespace std::chrono_literals;

class ConfirmCardBuilderTest : public components::testing::ThemedTest {
  protected:
    // Builds the screen for a saved card over `network` and confirms it with its code.
    void confirmCard() {
        auto service = DepositRepository::make(
            network, std::make_shared<testing::FakeDeviceFingerprintProvider>());
        screen = std::dynamic_pointer_cast<ConfirmCardViewController>(
            ConfirmCardBuilder(std::make_shared<CardDepositComponent>(service, nullptr))
                .build(model::CardPaymentInstrument({.id = "pi-1",
                                                     .pan = "************4242",
                                                     .expiryDate = {.year = 28, .month = 3},
                                                     .cardScheme = model::CardScheme::visa}),
                       testing::pendingDeposit(), {CardType::visa},
                       [this](CardDepositState state) { outcomes.push_back(std::move(state)); }));
        screen->view();
        std::dynamic_pointer_cast<TableViewCell<CVVAndExpiryDateView>>(
            screen->tableView()->cellForRow({1, 0}))
            ->view()
            ->cvvView()
            ->type("123");
        screen->bottomView()->button()->tap();
    }

    std::shared_ptr<testing::FakeNetwork> network = std::make_shared<testing::FakeNetwork>();
    std::shared_ptr<ConfirmCardViewController> screen;
    std::vector<CardDepositState> outcomes;
};

TEST_F(ConfirmCardBuilderTest, ReleasingTheScreenCancelsTheRunningCreateWhichReportsNothing) {
    const auto held = std::make_shared<testing::HeldCall>();
    network->setReply({.failure = [held] {
        held->hold(true);
        throw platform::CancellationError();
    }});
    confirmCard();
    ASSERT_TRUE(network->waitForSent(1, 10s));
    screen.reset();
    // Once the create has ended, whatever it had for the main queue is queued.
    ASSERT_TRUE(platform::TaskPool::shared().waitUntilIdle(10s));
    platform::MainQueue::shared().drain();
    EXPECT_TRUE(held->cancelled);
    EXPECT_TRUE(outcomes.empty());
}

// A create that answers after the screen is gone, even with the deposit, reaches nobody.
TEST_F(ConfirmCardBuilderTest, ACreateThatAnswersAfterTheScreenIsGoneReportsNothing) {
    const auto held = std::make_shared<testing::HeldCall>();
    network->setReply({.body = "{" + testing::kDepositRequiredMembers + "}",
                       .failure = [held] { held->hold(false); }});
    confirmCard();
    ASSERT_TRUE(network->waitForSent(1, 10s));
    screen.reset();
    held->open();
    // Once the create has ended, whatever it had for the main queue is queued.
    ASSERT_TRUE(platform::TaskPool::shared().waitUntilIdle(10s));
    platform::MainQueue::shared().drain();
    EXPECT_TRUE(outcomes.empty());
}

}  // namespace
}  // namespace corvend
