#include "CorvendWallet/ui/flows/card-deposit/DepositRootInteractor.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/models/CardPaymentOptionSettings.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentRepository.hpp"
#include "CorvendWallet/services/money/DepositRepository.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositError.hpp"
#include "platform/async/MainQueue.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"
#include "tests/support/FakeNetwork.hpp"
#include "tests/support/PaymentReplies.hpp"
#include "tests/support/RecordingURLOpener.hpp"

namespace corvend {
namespace {

using model::CardScheme;
using model::PaymentOptionDetails;
using model::PaymentOptionType;

PaymentOptionDetails cardOption(std::vector<CardScheme> schemes) {
    return {.paymentOption = PaymentOptionType::card,
            .paymentOptionSettings = std::make_shared<const model::CardPaymentOptionSettings>(
                PaymentOptionType::card, std::move(schemes))};
}

// The accepted cards come from the first card settings only, in their order, duplicates and
// unknown schemes kept; options without card settings are skipped whatever they are called.
TEST(DepositRootInteractorTest, SupportedCardsComeFromTheFirstCardSettingsAsListed) {
    const auto types = [](std::vector<PaymentOptionDetails> options) {
        return DepositRootInteractor::supportedCardTypes(options);
    };
    EXPECT_EQ(types({cardOption({CardScheme::visa}), cardOption({CardScheme::mastercard})}),
              std::vector<CardType>{CardType::visa});
    EXPECT_EQ(
        types({cardOption({CardScheme::mastercard, CardScheme::mastercard, CardScheme::unknown})}),
        (std::vector<CardType>{CardType::masterCard, CardType::masterCard, CardType::unknown}));
    EXPECT_EQ(types({{.paymentOption = PaymentOptionType::card},
                     cardOption({CardScheme::visa, CardScheme::mastercard})}),
              (std::vector<CardType>{CardType::visa, CardType::masterCard}));
    EXPECT_TRUE(types({{.paymentOption = PaymentOptionType::card}}).empty());
    EXPECT_TRUE(types({}).empty());
    EXPECT_TRUE(types({cardOption({})}).empty());
    EXPECT_TRUE(types({cardOption({}), cardOption({CardScheme::visa})}).empty());
}

class RecordingLoadOutput : public DepositRootInteractorOutput {
  public:
    void showConfirmCard(std::shared_ptr<const model::PaymentInstrument>,
                         const model::CustomerDeposit&, const std::vector<CardType>&) override {}
    void showAddCard(const model::CustomerDeposit&, const std::vector<CardType>&) override {}
    void loadDidFail(CardDepositResult result) override { failures.push_back(std::move(result)); }

    std::vector<CardDepositResult> failures;
};

// The flow goes on only with the deposit it was started for: a read naming another one ends it
// before any card is asked for, naming both, and reads nothing more (not that one's saved card).
TEST(DepositRootInteractorTest, ADepositReadNamingAnotherDepositEndsTheLoad) {
    for (const std::string named : {"dep-1", "dep-7"}) {
        SCOPED_TRACE(named);
        std::string reply =
            "{" + testing::kDepositRequiredMembers +
            R"(,"paymentInstrumentReference":{"id":"pi-1","instrumentType":"CARD"}})";
        reply.replace(reply.find("dep-1"), 5, named);
        const auto network = std::make_shared<testing::FakeNetwork>(reply);
        network->setReply("digitalwallets/v1/profile/deposits/options",
                          {.body = R"([{"paymentOption":"CARD","paymentOptionSettings":)"
                                   R"({"paymentOption":"CARD","cardSchemes":["VISA"]}}])"});
        const auto interactor = std::make_shared<DepositRootInteractor>(
            DepositRepository::make(network,
                                    std::make_shared<testing::FakeDeviceFingerprintProvider>()),
            PaymentInstrumentRepository::make(network,
                                              std::make_shared<testing::RecordingURLOpener>()),
            "dep-1");
        const auto output = std::make_shared<RecordingLoadOutput>();
        interactor->setOutput(output);
        interactor->load();
        ASSERT_TRUE(platform::MainQueue::shared().runUntil(
            [&] { return !output->failures.empty() || network->sent().size() == 3; },
            std::chrono::seconds(10)));
        if (named == "dep-1") {
            EXPECT_EQ(network->sent().back().path,
                      "digitalwallets/v1/profile/instruments/CARD/pi-1");
            continue;
        }
        EXPECT_EQ(output->failures, std::vector{CardDepositResult::nonTerminalFailure(Error::make(
                                        CardDepositError::otherDepositNamed("dep-7", "dep-1")))});
        platform::MainQueue::shared().drain();
        EXPECT_EQ(network->sent().size(), 2u);
    }
}

}  // namespace
}  // namespace corvend
