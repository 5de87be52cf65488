#include "CorvendWallet/ui/flows/card-deposit/CardDepositInteractor.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/services/cards/CardPaymentInstrument.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositError.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/foundation/Unicode.hpp"
#include "tests/support/CardScreenDoubles.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"
#include "tests/support/FakeNetwork.hpp"
#include "tests/support/ThemeFixture.hpp"

namespace corvend {
namespace {

// The new card names no scheme and no status of its own, whatever brand the number shows: the
// service decides both. (The scheme never reaches the wire, so only the request shows it.)
TEST(CardDepositInteractorTest, TheNewCardNamesNoSchemeOrStatusWhateverItsBrand) {
    const auto deposit = testing::pendingDeposit();
    const CardDepositInteractor interactor(
        DepositRepository::make(std::make_shared<testing::FakeNetwork>(),
                                std::make_shared<testing::FakeDeviceFingerprintProvider>()),
        deposit);
    const CardDepositInput input{.cardNumber = "4111111111111111",
                                 .cvv = "123",
                                 .expiryMonth = 12,
                                 .expiryYear = 30,
                                 .saveCard = true,
                                 .cardLabel = "Salary",
                                 .cardType = CardType::visa};
    const auto create = interactor.makeDepositCreate(input, true);
    const auto* card = create.paymentInstrument()
                           ? create.paymentInstrument()->as<model::CardPaymentInstrument>()
                           : nullptr;
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->cardScheme(), std::nullopt);
    EXPECT_EQ(card->status(), std::nullopt);
    EXPECT_EQ(card->id(), deposit.id());
    EXPECT_EQ(card->customerID(), deposit.customerID());

    // A saved card is confirmed with its code only.
    EXPECT_EQ(interactor.makeDepositCreate(input, false).paymentInstrument(), nullptr);
}

class RecordingCreateOutput : public CardDepositInteractorOutput {
  public:
    void cardDepositDidSucceed(const model::CustomerDeposit& deposit, const CardDetails&) override {
        created.push_back(deposit.id());
    }
    void cardDepositDidFail(const Error& error) override { errors.push_back(error); }

    std::vector<std::string> created;
    std::vector<Error> errors;
};

// The create goes on to the summary only with the deposit it was sent for: a reply naming
// another deposit fails it, naming both, so that one is never confirmed.
TEST(CardDepositInteractorTest, ACreateAnsweredForAnotherDepositFails) {
    components::testing::configureTheme();  // the card's logo
    for (const std::string named : {"dep-1", "dep-7"}) {
        SCOPED_TRACE(named);
        std::string reply = "{" + testing::kDepositRequiredMembers + "}";
        reply.replace(reply.find("dep-1"), 5, named);
        const auto network = std::make_shared<testing::FakeNetwork>(reply);
        const auto interactor = std::make_shared<CardDepositInteractor>(
            DepositRepository::make(network,
                                    std::make_shared<testing::FakeDeviceFingerprintProvider>()),
            testing::pendingDeposit());
        const auto output = std::make_shared<RecordingCreateOutput>();
        interactor->setOutput(output);
        interactor->deposit(CardDepositInput{}, false);
        ASSERT_TRUE(platform::MainQueue::shared().runUntil(
            [&] { return !output->created.empty() || !output->errors.empty(); },
            std::chrono::seconds(10)));
        EXPECT_EQ(network->only().path, "digitalwallets/v1/profile/deposits/dep-1/status");
        if (named == "dep-1") {
            EXPECT_EQ(output->created, std::vector<std::string>{"dep-1"});
            continue;
        }
        EXPECT_TRUE(output->created.empty());
        ASSERT_EQ(output->errors.size(), 1u);
        const auto error = output->errors[0].as<CardDepositError>();
        ASSERT_EQ(error, CardDepositError::internalError);
        EXPECT_STREQ(error->what(), "the reply named deposit dep-7, not deposit dep-1");
    }
}

// The card's name ends with the last four characters a person sees, whatever script its digits
// are written in: never a cut through one of them.
TEST(CardDepositInteractorTest, TheCardNameEndsWithTheLastFourWholeCharacters) {
    const struct {
        const char* number;
        std::optional<std::string> label;
        const char* name;
    } cases[] = {
        {"4111111111114242", "Salary", "Salary *4242"},
        {"४२४२४२४२", "Salary", "Salary *४२४२"},         // Devanagari digits
        {"४२४", std::nullopt, " *४२४"},                 // shorter than four
        {"41111111111142424⃣", std::nullopt, " *2424⃣"},  // a digit with its mark
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        const auto details = CardDepositInteractor::makeCardDetails({.cardNumber = c.number,
                                                                     .cvv = "123",
                                                                     .expiryMonth = 12,
                                                                     .expiryYear = 30,
                                                                     .saveCard = std::nullopt,
                                                                     .cardLabel = c.label,
                                                                     .cardType = CardType::visa});
        EXPECT_EQ(details.cardName, c.name);
        EXPECT_TRUE(platform::unicode::isWellFormedUTF8(details.cardName));
    }
}

}  // namespace
}  // namespace corvend
