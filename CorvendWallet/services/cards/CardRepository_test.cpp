#include "CorvendWallet/services/cards/CardRepository.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/setup/WalletEnvironmentProvider.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"
#include "tests/support/FakeNetwork.hpp"
#include "tests/support/ReplyDocument.hpp"
#include "tests/support/WalletErrorMatchers.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using model::Card;
using model::CardScheme;
using model::MobileWalletType;
using testing::FakeNetwork;
using testing::ReplyDocument;
using TokenStatus = model::MobileWalletTokenization::MobileWalletStatus;
namespace wire = CardServiceEndpoint;

constexpr const char* kCard =
    R"({"cardId":"c-1","status":"ACTIVE","customerId":"u","cardType":"VIRTUAL",)"
    R"("programName":"P","currency":"EUR","createdDate":"2024-03-05T14:07:09Z","accountId":"a",)"
    R"("scheme":"MC","isPinSet":false)";

std::string card(const std::string& extra = "") {
    return std::string(kCard) + extra + "}";
}

struct Fixture {
    std::shared_ptr<FakeNetwork> network = std::make_shared<FakeNetwork>(card());
    std::shared_ptr<WalletEnvironmentProvider> environment =
        WalletEnvironmentProvider::make(std::nullopt);
    std::shared_ptr<CardRepository> repository = CardRepository::make(CardRepositoryComponent::make(
        network, std::make_shared<testing::FakeDeviceFingerprintProvider>(), environment));

    std::string lastPath() const { return network->sent().back().path; }
    std::string lastBody() const { return network->sent().back().body.value_or(""); }
};

TEST(CardRepositoryTest, BodiesCarryTheUserAgentOfTheMomentOfEachCall) {
    Fixture f;
    const std::string before = f.environment->userAgent();
    f.repository->create({"P", "EUR"});
    EXPECT_EQ(f.lastBody(),
              R"({"programName":"P","currency":"EUR","userAgent":")" + before + "\"}");
    f.environment->configure({"Linux", "6.1"});
    const std::string after = f.environment->userAgent();
    ASSERT_NE(after, before);
    f.repository->update("c-1", {});
    EXPECT_EQ(f.lastBody(), R"({"userAgent":")" + after + "\"}");
    f.repository->activate("c-1", {"1234", ""});
    EXPECT_EQ(f.lastBody(), R"({"lastFourDigits":"1234","cvv":"","userAgent":")" + after + "\"}");
    f.repository->create({"P", "EUR"});
    EXPECT_NE(f.lastBody().find(after), std::string::npos);
}

TEST(CardRepositoryTest, EachOperationReachesItsPathWithItsMethodAndQuery) {
    Fixture f;
    // A card naming none, which a call on any identifier takes.
    std::string unnamed = card();
    f.network->setBody(unnamed.replace(unnamed.find("c-1"), 3, ""));
    using Includes = CardService::Includes;
    const auto twice =
        Includes{Card::CardIncludesParam::tokenizations, Card::CardIncludesParam::tokenizations};
    const struct {
        std::function<void(CardRepository&)> call;
        const char* method;
        const char* path;
    } rows[] = {
        {[](auto& r) { r.getAll(); }, "GET", "digitalwallets/v1/profile/prepaid/cards"},
        {[](auto& r) { r.get("c 1/x"); }, "GET",
         "digitalwallets/v1/profile/prepaid/cards/c%201%2Fx"},
        {[](auto& r) { r.get("c", Includes{}); }, "GET",
         "digitalwallets/v1/profile/prepaid/cards/c"},
        {[&](auto& r) { r.get("c", twice); }, "GET",
         "digitalwallets/v1/profile/prepaid/cards/c?include=TOKENIZATIONS&include=TOKENIZATIONS"},
        {[](auto& r) { r.update("c", {Card::CardStatus::unknown}); }, "PATCH",
         "digitalwallets/v1/profile/prepaid/cards/c"},
        {[](auto& r) {
             r.activate("c", {"1", "2"});
         },
         "POST", "digitalwallets/v1/profile/prepaid/cards/c/activation"},
    };
    for (const auto& row : rows) {
        row.call(*f.repository);
        EXPECT_EQ(f.network->sent().back().method, row.method) << row.path;
        EXPECT_EQ(f.lastPath(), row.path);
    }
    EXPECT_NE(f.lastBody().find(R"("cvv":"2")"), std::string::npos);
    f.repository->update("c", {Card::CardStatus::unknown});
    EXPECT_NE(f.lastBody().find(R"("status":"UNKNOWN")"), std::string::npos);

    const auto sent = f.network->sent().size();
    for (const char* id : {".", ".."}) {
        EXPECT_THAT([&] { f.repository->getDetails(id); },
                    testing::ThrowsWalletError(model::WalletError::internalError("I0001")));
    }
    EXPECT_EQ(f.network->sent().size(), sent);
}

TEST(CardRepositoryTest, CardListsAndTokenizationsMapAsTheServiceSentThem) {
    using Status = model::MobileWalletTokenization::MobileWalletStatus;
    const auto cards = [](const std::string& json) {
        return CardRepository::cardList(testing::decodedReply<wire::CardListResponse>(json));
    };
    const auto none = cards("{}");
    EXPECT_TRUE(none.cards().empty());
    EXPECT_EQ(none.meta(), model::PagingResultMeta{});

    const auto list = cards(
        R"({"meta":{"limit":2},"cards":[)" + card() + "," + card(R"(,"tokenizations":{})") + "," +
        card(R"(,"status":"active","cardType":"VIRTUAL ","scheme":"MASTERCARD",)"
             R"("expiry":{"month":13,"year":99},"tokenizations":)"
             R"({"mobileWalletTokenizations":[)"
             R"({"dpanRef":"d2","walletType":"SAMSUNG_PAY","status":"COMPLETE"},)"
             R"({"dpanRef":"d1","walletId":"w","walletType":"APPLE_PAY",)"
             R"("status":"INITIATED"}]})") +
        "]}");
    ASSERT_EQ(list.cards().size(), 3u);
    EXPECT_EQ(list.meta()->limit, 2);
    EXPECT_FALSE(list.cards()[0].tokenizations());
    EXPECT_EQ(list.cards()[1].tokenizations(), model::MobileWalletTokenizationList{});
    EXPECT_NE(list.cards()[0], list.cards()[1]);
    const auto& odd = list.cards()[2];
    EXPECT_EQ(odd.status(), Card::CardStatus::unknown);
    EXPECT_EQ(odd.cardType(), Card::CardType::unknown);
    EXPECT_EQ(odd.scheme(), model::CardScheme::unknown);
    EXPECT_EQ(odd.expiry(), (model::CardExpiryDate{99, 13}));
    const auto& tokens = odd.tokenizations()->mobileWalletTokenizations;
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].walletType(), model::MobileWalletType::samsungPay);
    EXPECT_EQ(tokens[0].status(), Status::unknown);
    EXPECT_EQ(tokens[1].walletID(), "w");
    EXPECT_EQ(tokens[1].status(), Status::initiated);
    EXPECT_EQ(
        model::MobileWalletTokenization("d1", Status::initiated),
        CardRepository::mobileWalletTokenization({"d1", std::nullopt, "APPLE_PAY", "INITIATED"}));
    EXPECT_EQ(CardRepository::programList({}).programs().size(), 0u);
}

// Every member a card reply can carry, each with a value of its own, so that a value read into
// another field, or a key the kit spells otherwise, shows.
const ReplyDocument kEveryCardMember{
    {"cardId", R"("card-1")"},
    {"status", R"("SUSPENDED")"},
    {"expiry", R"({"month":7,"year":2031})"},
    {"bin", R"("411111")"},
    {"lastFour", R"("4242")"},
    {"customerId", R"("cust-2")"},
    {"cardType", R"("PHYSICAL")"},
    {"programName", R"("prog-3")"},
    {"currency", R"("PLN")"},
    {"mobile", R"("+48600")"},
    {"deliveryAddress", R"({"address1":"1 Main St","address2":"Floor 2","address3":"Flat 3",)"
                        R"("city":"Cork","countryCode":"IE","state":"Munster",)"
                        R"("postalCode":"T12"})"},
    {"createdDate", R"("2024-03-05T14:07:09Z")"},
    {"accountId", R"("acct-4")"},
    {"scheme", R"("VISA")"},
    {"activationDate", R"("2024-04-06T15:08:10.500Z")"},
    {"isPinSet", "true"},
    {"externalId", R"("ext-5")"},
    {"tokenizations", R"({"mobileWalletTokenizations":[)"
                      R"({"dpanRef":"dpan-6","walletId":"w-7","walletType":"GOOGLE_PAY",)"
                      R"("status":"COMPLETED"},)"
                      R"({"dpanRef":"dpan-8","walletId":"w-9","walletType":"SAMSUNG_PAY",)"
                      R"("status":"INITIATED"}]})"},
};

Card mappedCard(const ReplyDocument& reply) {
    return CardRepository::card(testing::decodedReply<wire::CardResponse>(reply.text()));
}

TEST(CardMappingTest, EveryRepliedCardMemberReachesItsOwnField) {
    Fixture f;
    f.network->setBody(kEveryCardMember.text());
    const auto card = f.repository->get("card-1");
    EXPECT_EQ(card.cardID(), "card-1");
    EXPECT_EQ(card.status(), Card::CardStatus::suspended);
    EXPECT_EQ(card.expiry(), (model::CardExpiryDate{.year = 2031, .month = 7}));
    EXPECT_EQ(card.bin(), "411111");
    EXPECT_EQ(card.lastFour(), "4242");
    EXPECT_EQ(card.customerID(), "cust-2");
    EXPECT_EQ(card.cardType(), Card::CardType::physical);
    EXPECT_EQ(card.programName(), "prog-3");
    EXPECT_EQ(card.currency(), "PLN");
    EXPECT_EQ(card.mobile(), "+48600");
    EXPECT_EQ(card.deliveryAddress(), model::DeliveryAddress("1 Main St", "Floor 2", "Flat 3",
                                                             "Cork", "IE", "Munster", "T12"));
    EXPECT_EQ(card.createdDate(), testing::replyDate("2024-03-05T14:07:09Z"));
    EXPECT_EQ(card.accountID(), "acct-4");
    EXPECT_EQ(card.scheme(), CardScheme::visa);
    EXPECT_EQ(card.activationDate(), testing::replyDate("2024-04-06T15:08:10.500Z"));
    EXPECT_TRUE(card.isPinSet());
    EXPECT_EQ(card.externalID(), "ext-5");
    ASSERT_TRUE(card.tokenizations());
    const auto& tokens = card.tokenizations()->mobileWalletTokenizations;
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].dpanRef(), "dpan-6");
    EXPECT_EQ(tokens[0].walletID(), "w-7");
    EXPECT_EQ(tokens[0].walletType(), MobileWalletType::googlePay);
    EXPECT_EQ(tokens[0].status(), TokenStatus::completed);
    EXPECT_EQ(tokens[1].dpanRef(), "dpan-8");
    EXPECT_EQ(tokens[1].walletID(), "w-9");
    EXPECT_EQ(tokens[1].walletType(), MobileWalletType::samsungPay);
    EXPECT_EQ(tokens[1].status(), TokenStatus::initiated);

    f.network->setBody(R"({"cards":[)" + kEveryCardMember.text() + R"(],"meta":)" +
                       testing::kEveryPagingMember + "}");
    const auto page = f.repository->getAll();
    EXPECT_EQ(page.cards(), std::vector{card});
    EXPECT_EQ(page.meta(), testing::kEveryPagingField);
}

TEST(CardMappingTest, DetailsProgramsAndTokenizationsReachTheirOwnFields) {
    Fixture f;
    f.network->setBody(R"({"pan":"5555444433332222","cvv":"321","expiry":{"month":9,"year":2032},)"
                       R"("cardHolderName":"Ada Lovelace"})");
    const auto details = f.repository->getDetails("card-1");
    EXPECT_EQ(details.pan(), "5555444433332222");
    EXPECT_EQ(details.cvv(), "321");
    EXPECT_EQ(details.expiry(), (model::CardExpiryDate{.year = 2032, .month = 9}));
    EXPECT_EQ(details.cardHolderName(), "Ada Lovelace");

    f.network->setBody(R"({"programs":[{"cardType":"VIRTUAL","scheme":"MC","name":"Gold",)"
                       R"("currencies":["EUR","USD"],"allowableCards":3,"isDigital":true},)"
                       R"({"cardType":"PHYSICAL","scheme":"VISA","name":"Blue",)"
                       R"("currencies":["GBP"],"allowableCards":5,"isDigital":false}]})");
    const auto programs = f.repository->getPrograms().programs();
    ASSERT_EQ(programs.size(), 2u);
    EXPECT_EQ(programs[0].cardType(), Card::CardType::virtual_);
    EXPECT_EQ(programs[0].scheme(), CardScheme::mastercard);
    EXPECT_EQ(programs[0].name(), "Gold");
    EXPECT_EQ(programs[0].currencies(), (std::vector<std::string>{"EUR", "USD"}));
    EXPECT_EQ(programs[0].allowableCards(), 3);
    EXPECT_TRUE(programs[0].isDigital());
    EXPECT_EQ(programs[1].cardType(), Card::CardType::physical);
    EXPECT_EQ(programs[1].scheme(), CardScheme::visa);
    EXPECT_EQ(programs[1].name(), "Blue");
    EXPECT_EQ(programs[1].allowableCards(), 5);
    EXPECT_FALSE(programs[1].isDigital());

    using Tokenization = model::CardTokenization;
    f.network->setBody(
        R"({"opaquePaymentCard":"opc-1","encryptedPassData":"epd-2","ephemeralPublicKey":"epk-3",)"
        R"("activationData":"act-4","cardNetwork":"CARD_NETWORK_MASTERCARD",)"
        R"("tokenProvider":"TOKEN_PROVIDER_VISA","customer":{"address1":"a-1","address2":"a-2",)"
        R"("address3":"a-3","city":"Oslo","countryCode":"NO","state":"Viken","postalCode":"0150",)"
        R"("name":"Ola","mobile":"+4712"},"cardLastDigits":"9876"})");
    EXPECT_EQ(
        f.repository->tokenize("card-1", {std::nullopt, std::nullopt, std::nullopt, std::nullopt}),
        (Tokenization{.opaquePaymentCard = "opc-1",
                      .encryptedPassData = "epd-2",
                      .ephemeralPublicKey = "epk-3",
                      .activationData = "act-4",
                      .cardNetwork = Tokenization::CardNetworkType::cardNetworkMastercard,
                      .tokenProvider = Tokenization::CardTokenProvider::tokenProviderVisa,
                      .customer = model::Customer{"a-1", "a-2", "a-3", "Oslo", "NO", "Viken",
                                                  "0150", "Ola", "+4712"},
                      .cardLastDigits = "9876"}));

    f.network->setBody(
        R"({"dpanRef":"dp-1","walletId":"wal-2","walletType":"SAMSUNG_PAY","status":"INITIATED"})");
    const auto token = f.repository->updateTokenizationStatus(
        "card-1", model::MobileWalletTokenization("dp-1", TokenStatus::completed));
    EXPECT_EQ(token.dpanRef(), "dp-1");
    EXPECT_EQ(token.walletID(), "wal-2");
    EXPECT_EQ(token.walletType(), MobileWalletType::samsungPay);
    EXPECT_EQ(token.status(), TokenStatus::initiated);
}

// Every spelling of each vocabulary a card reply carries reaches its own case.
TEST(CardWireValuesTest, CardStatusReadsEveryStatus) {
    using S = Card::CardStatus;
    testing::expectEachSpellingRead<S>(
        {{"ACTIVE", S::active},
         {"PENDING", S::pending},
         {"CANCELLED", S::cancelled},
         {"SUSPENDED", S::suspended},
         {"APPLIED", S::applied},
         {"DIGITAL", S::digital},
         {"REJECTED", S::rejected},
         {"LOCKED", S::locked},
         {"EXPIRED", S::expired},
         {"ISSUED", S::issued}},
        [](const std::string& status) {
            return mappedCard(kEveryCardMember.with("status", status)).status();
        });
}

TEST(CardWireValuesTest, CardsAndProgramsReadEveryTypeAndScheme) {
    const auto program = [](const std::string& type, const std::string& scheme) {
        return CardRepository::programList(
                   testing::decodedReply<wire::ProgramListResponse>(
                       R"({"programs":[{"cardType":)" + type + R"(,"scheme":)" + scheme +
                       R"(,"name":"n","currencies":[],"allowableCards":1,"isDigital":true}]})"))
            .programs()
            .at(0);
    };
    const std::vector<std::pair<std::string, Card::CardType>> types{
        {"PHYSICAL", Card::CardType::physical}, {"VIRTUAL", Card::CardType::virtual_}};
    const std::vector<std::pair<std::string, CardScheme>> schemes{{"MC", CardScheme::mastercard},
                                                                  {"VISA", CardScheme::visa}};
    testing::expectEachSpellingRead(types, [](const std::string& type) {
        return mappedCard(kEveryCardMember.with("cardType", type)).cardType();
    });
    testing::expectEachSpellingRead(
        types, [&](const std::string& type) { return program(type, R"("MC")").cardType(); });
    testing::expectEachSpellingRead(schemes, [](const std::string& scheme) {
        return mappedCard(kEveryCardMember.with("scheme", scheme)).scheme();
    });
    testing::expectEachSpellingRead(schemes, [&](const std::string& scheme) {
        return program(R"("VIRTUAL")", scheme).scheme();
    });
}

TEST(CardWireValuesTest, TokenizationsReadEveryWalletTypeAndStatus) {
    const auto card = [](const std::string& type, const std::string& status) {
        return mappedCard(kEveryCardMember.with("tokenizations",
                                                R"({"mobileWalletTokenizations":[{"dpanRef":"d",)"
                                                R"("walletType":)" +
                                                    type + R"(,"status":)" + status + "}]}"))
            .tokenizations()
            .value()
            .mobileWalletTokenizations.at(0);
    };
    const auto reply = [](const std::string& type, const std::string& status) {
        return CardRepository::mobileWalletTokenization(
            testing::decodedReply<wire::MobileWalletTokenization>(
                R"({"dpanRef":"d","walletType":)" + type + R"(,"status":)" + status + "}"));
    };
    const std::vector<std::pair<std::string, MobileWalletType>> types{
        {"APPLE_PAY", MobileWalletType::applePay},
        {"GOOGLE_PAY", MobileWalletType::googlePay},
        {"SAMSUNG_PAY", MobileWalletType::samsungPay}};
    const std::vector<std::pair<std::string, TokenStatus>> statuses{
        {"COMPLETED", TokenStatus::completed}, {"INITIATED", TokenStatus::initiated}};
    for (const auto& read : {std::function(card), std::function(reply)}) {
        testing::expectEachSpellingRead(types, [&](const std::string& type) {
            return read(type, R"("COMPLETED")").walletType();
        });
        testing::expectEachSpellingRead(statuses, [&](const std::string& status) {
            return read(R"("APPLE_PAY")", status).status();
        });
    }
}

TEST(CardWireValuesTest, TokenizationReplyReadsEveryNetworkAndProvider) {
    using Tokenization = model::CardTokenization;
    const auto read = [](const std::string& network, const std::string& provider) {
        return CardRepository::cardTokenization(
            testing::decodedReply<wire::CardTokenizationResponse>(
                R"({"cardNetwork":)" + network + R"(,"tokenProvider":)" + provider +
                R"(,"cardLastDigits":"1"})"));
    };
    testing::expectEachSpellingRead<Tokenization::CardNetworkType>(
        {{"CARD_NETWORK_VISA", Tokenization::CardNetworkType::cardNetworkVisa},
         {"CARD_NETWORK_MASTERCARD", Tokenization::CardNetworkType::cardNetworkMastercard}},
        [&](const std::string& network) {
            return read(network, R"("TOKEN_PROVIDER_VISA")").cardNetwork;
        });
    testing::expectEachSpellingRead<Tokenization::CardTokenProvider>(
        {{"TOKEN_PROVIDER_VISA", Tokenization::CardTokenProvider::tokenProviderVisa},
         {"TOKEN_PROVIDER_MASTERCARD", Tokenization::CardTokenProvider::tokenProviderMastercard}},
        [&](const std::string& provider) {
            return read(R"("CARD_NETWORK_VISA")", provider).tokenProvider;
        });
}

}  // namespace
}  // namespace corvend
