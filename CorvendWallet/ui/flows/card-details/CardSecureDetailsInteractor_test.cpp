#include "CorvendWallet/ui/flows/card-details/CardSecureDetailsInteractor.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/ui/flows/card-details/CardSecureDetailsBuilder.hpp"
#include "platform/async/CancellationError.hpp"
#include "platform/async/TaskPool.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"
#include "tests/support/FakeNetwork.hpp"
#include "tests/support/HeldCall.hpp"
#include "tests/support/ThemedTest.hpp"

namespace corvend {
namespace {

using namespace std::chrono_literals;

constexpr auto kDeadline = 10s;

std::string reply(const std::string& page) {
    return R"({"cardId":"card-1","language":"en","flow":"SHOW_DETAILS","redirectUrl":")" + page +
           R"("})";
}

class Screen : public CardSecureDetailsDependency {
  public:
    explicit Screen(std::shared_ptr<Networkable> network) : network_(std::move(network)) {}
    std::shared_ptr<Networkable> networkManager() const override { return network_; }
    std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider() const override {
        return std::make_shared<testing::FakeDeviceFingerprintProvider>();
    }

  private:
    std::shared_ptr<Networkable> network_;
};

class RecordingOutput : public CardSecureDetailsInteractorOutput {
  public:
    void showSecureDetails(const platform::URL& url) override {
        shown.push_back(url.absoluteString());
    }
    void showFailure() override { shown.push_back("failure"); }

    std::vector<std::string> shown;
};

class CardSecureDetailsInteractorTest : public components::testing::ThemedTest {
  protected:
    std::shared_ptr<testing::FakeNetwork> network = std::make_shared<testing::FakeNetwork>();
    std::shared_ptr<testing::HeldCall> held = std::make_shared<testing::HeldCall>();
};

TEST_F(CardSecureDetailsInteractorTest, ReleasingTheScreenCancelsItsRunningFetch) {
    network->setReply({.body = reply("https://cards.example/page"), .failure = [held = held] {
                           held->hold(true);
                           throw platform::CancellationError();
                       }});
    auto screen = CardSecureDetailsBuilder(std::make_shared<Screen>(network))
                      .build(model::CardSecureDetailsRequest("card-1"));
    screen->view();
    ASSERT_TRUE(network->waitForSent(1, kDeadline));
    screen.reset();
    ASSERT_TRUE(platform::TaskPool::shared().waitUntilIdle(kDeadline));
    EXPECT_TRUE(held->cancelled);
}

// A second load while the first still runs: only the second page is shown, whenever the first
// one answers.
TEST_F(CardSecureDetailsInteractorTest, ANewerLoadReplacesTheRunningOne) {
    const auto output = std::make_shared<RecordingOutput>();
    const auto interactor = std::make_shared<CardSecureDetailsInteractor>(
        model::CardSecureDetailsRequest("card-1"), network,
        std::make_shared<testing::FakeDeviceFingerprintProvider>());
    interactor->setOutput(output);

    // The first fetch answers only when the test lets it, even if cancelled meanwhile.
    auto first = std::make_shared<testing::HeldCall>();
    network->setReply(
        {.body = reply("https://cards.example/old"), .failure = [first] { first->hold(false); }});
    interactor->loadSecureDetails();
    ASSERT_TRUE(network->waitForSent(1, kDeadline));
    network->setBody(reply("https://cards.example/new"));
    interactor->loadSecureDetails();
    ASSERT_TRUE(
        platform::MainQueue::shared().runUntil([&] { return !output->shown.empty(); }, kDeadline));
    first->open();
    // Once both fetches have ended, whatever the first one had for the main queue is queued.
    ASSERT_TRUE(platform::TaskPool::shared().waitUntilIdle(kDeadline));
    platform::MainQueue::shared().drain();
    EXPECT_EQ(output->shown, std::vector<std::string>{"https://cards.example/new"});
}

}  // namespace
}  // namespace corvend
