#include "CorvendWallet/ui/flows/card-deposit/DepositRootInteractor.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
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
    void showConfirmCard(std::shared_ptr<const model::PaymentInstrument> card,
                         const model::CustomerDeposit&, const std::vector<CardType>&) override {
        cards.push_back(card->id().value_or(""));
    }
    void showAddCard(const model::CustomerDeposit&, const std::vector<CardType>&) override {}
    void loadDidFail(CardDepositResult result) override { failures.push_back(std::move(result)); }

    std::vector<std::string> cards;
    std::vector<CardDepositResult> failures;
};

// The flow goes on only with the deposit it was started for and that deposit's saved card: a
// read naming another one ends it before any card is asked for, naming both, and reads nothing
// more (not another deposit's saved card).
TEST(DepositRootInteractorTest, AReadNamingAnotherRecordEndsTheLoad) {
    const struct {
        const char* deposit;
        const char* card;
        std::optional<CardDepositError> failure;
        std::size_t reads;
    } cases[] = {
        {"dep-1", "pi-1", std::nullopt, 3},
        {"dep-7", "pi-1", CardDepositError::otherDepositNamed("dep-7", "dep-1"), 2},
        {"dep-1", "pi-4", CardDepositError::otherCardNamed("pi-4", "pi-1"), 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.deposit) + " " + c.card);
        std::string reply =
            "{" + testing::kDepositRequiredMembers +
            R"(,"paymentInstrumentReference":{"id":"pi-1","instrumentType":"CARD"}})";
        reply.replace(reply.find("dep-1"), 5, c.deposit);
        const auto network = std::make_shared<testing::FakeNetwork>(reply);
        network->setReply("digitalwallets/v1/profile/deposits/options",
                          {.body = R"([{"paymentOption":"CARD","paymentOptionSettings":)"
                                   R"({"paymentOption":"CARD","cardSchemes":["VISA"]}}])"});
        network->setReply("digitalwallets/v1/profile/instruments/CARD/pi-1",
                          {.body = R"({"id":")" + std::string(c.card) +
                                   R"(","customerId":"c-1","instrumentType":"CARD",)"
                                   R"("pan":"4444","expiryDate":{"year":2030,"month":2}})"});
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
            [&] { return !output->failures.empty() || !output->cards.empty(); },
            std::chrono::seconds(10)));
        platform::MainQueue::shared().drain();
        EXPECT_EQ(network->sent().size(), c.reads);
        if (!c.failure) {
            EXPECT_EQ(output->cards, std::vector<std::string>{"pi-1"});
            EXPECT_TRUE(output->failures.empty());
            continue;
        }
        EXPECT_TRUE(output->cards.empty());
        EXPECT_EQ(output->failures,
                  std::vector{CardDepositResult::nonTerminalFailure(Error::make(*c.failure))});
    }
}

}  // namespace
}  // namespace corvend
