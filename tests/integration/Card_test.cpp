// Prepaid cards end to end: the kit's card repository over a real network manager against the
// sandbox's card routes, from a program to an activated, tokenized card.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "CorvendWallet/services/cards/CardRepository.hpp"
#include "platform/http/URLSession.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend::integration {
namespace {

using model::Card;
using model::WalletError;
using TokenStatus = model::MobileWalletTokenization::MobileWalletStatus;

constexpr const char* kCardsPath = "digitalwallets/v1/profile/prepaid/cards";

class CardTest : public SandboxTest {
  protected:
    const std::shared_ptr<NetworkManager> manager = configuredManager("user-token-1");
    const std::shared_ptr<CardRepositoryComponent> component = CardRepositoryComponent::make(
        manager, std::make_shared<testing::FakeDeviceFingerprintProvider>("fp-cards"), properties);
    const std::shared_ptr<CardRepository> service = CardRepository::make(component);
};

TEST_F(CardTest, IssuedCardIsActivatedTokenizedLockedAndListed) {
    const auto programs = service->getPrograms().programs();
    ASSERT_EQ(programs.size(), 2u);
    EXPECT_EQ(programs[1].cardType(), Card::CardType::physical);
    EXPECT_EQ(programs[1].scheme(), model::CardScheme::mastercard);

    const auto issued = service->create({programs[1].name(), "EUR", std::nullopt, "1234"});
    EXPECT_NE(sandbox.requests().back().body.find(properties->userAgent()), std::string::npos);
    EXPECT_EQ(issued.status(), Card::CardStatus::issued);
    EXPECT_EQ(issued.cardType(), Card::CardType::physical);
    EXPECT_TRUE(issued.isPinSet());
    EXPECT_EQ(service->get(issued.cardID()), issued);

    const auto details = service->getDetails(issued.cardID());
    EXPECT_TRUE(details.pan().ends_with(*issued.lastFour()));
    EXPECT_EQ(details.expiry(), issued.expiry());

    const auto refused = failureOf([&] { service->activate(issued.cardID(), {"0000", "000"}); });
    EXPECT_THAT(refused, testing::IsWalletError(WalletError::dataError(
                             {.httpStatus = 400,
                              .code = "ACTIVATION_FAILED",
                              .message = "The card details do not match.",
                              .details = {{"Check the last four digits and the code."}},
                              .errorID = lastRecordedCorrelationId()})));
    const auto active = service->activate(issued.cardID(), {*issued.lastFour(), details.cvv()});
    EXPECT_EQ(active.status(), Card::CardStatus::active);
    EXPECT_TRUE(active.activationDate());

    const auto tokenization =
        service->tokenize(issued.cardID(), {"leaf", std::nullopt, "nonce", std::nullopt});
    EXPECT_EQ(tokenization.cardNetwork,
              model::CardTokenization::CardNetworkType::cardNetworkMastercard);
    EXPECT_EQ(tokenization.cardLastDigits, issued.lastFour());
    EXPECT_EQ(tokenization.customer->name, "SANDBOX CUSTOMER");
    const auto withTokens = service->get(
        issued.cardID(), CardService::Includes{Card::CardIncludesParam::tokenizations});
    const auto& tokens = withTokens.tokenizations()->mobileWalletTokenizations;
    ASSERT_EQ(tokens.size(), 1u);
    EXPECT_EQ(tokens[0].walletType(), model::MobileWalletType::applePay);
    const auto changed = service->updateTokenizationStatus(
        issued.cardID(),
        model::MobileWalletTokenization(tokens[0].dpanRef(), TokenStatus::completed));
    EXPECT_EQ(changed.status(), TokenStatus::completed);
    EXPECT_EQ(changed.walletID(), tokens[0].walletID());

    const auto locked = service->update(issued.cardID(), {Card::CardStatus::locked, "lost"});
    EXPECT_EQ(locked.status(), Card::CardStatus::locked);
    const auto listed = service->getAll(
        model::CardParameters(Card::CardType::physical, std::nullopt, 5, 0,
                              std::vector{Card::CardStatus::active, Card::CardStatus::locked}));
    ASSERT_EQ(listed.cards().size(), 1u);
    EXPECT_EQ(listed.cards()[0], locked);
    EXPECT_EQ(listed.meta()->numberOfRecords, 1);
    EXPECT_TRUE(service->getAll(model::CardParameters(Card::CardType::virtual_)).cards().empty());

    // What the secure-details screen will ask for: a page the web view can load.
    const auto page = component->networkManager()->request(CardServiceEndpoint::secureDetails(
        issued.cardID(), {.language = "en", .deviceInfo = DeviceInfoModel::mobileApp("fp-cards")}));
    EXPECT_EQ(page.language, "en");
    const auto [body, response] = platform::URLSession::make()->data(
        platform::URLRequest(*platform::URL::make(page.redirectUrl)));
    EXPECT_EQ(dynamic_cast<const platform::HTTPURLResponse&>(*response).statusCode(), 200);
}

TEST_F(CardTest, UndecodableCardListFailsWithI0005AndOneEvent) {
    installEventReporter(*manager);
    sandbox.scriptNextReply("GET", kCardsPath, {.body = R"({"cards":[{"cardId":"c-1"}]})"});
    expectOneDecodingErrorEvent(failureOf([&] { service->getAll(); }));
}

TEST_F(CardTest, CompletionFormsDeliverOnTheMainQueueAndStaySilentWhenCancelled) {
    const auto silentCalls = expectSilentWhenCancelledWhileHeld(
        "GET", std::string(kCardsPath) + "/held", [&](std::function<void()> completion) {
            return service->get("held", [completion](Result<Card>) { completion(); });
        });
    const auto delivery = deliveredOnMain<model::CardList>(
        [&](auto completion) { service->getAll(std::move(completion)); });
    ASSERT_NE(delivery, nullptr);
    ASSERT_TRUE(delivery->result->has_value()) << delivery->result->error().description();
    EXPECT_TRUE((*delivery->result)->meta());
    EXPECT_EQ(*silentCalls, 0);
}

}  // namespace
}  // namespace corvend::integration
