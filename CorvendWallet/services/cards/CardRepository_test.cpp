#include "CorvendWallet/services/cards/CardRepository.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/setup/WalletEnvironmentProvider.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"
#include "tests/support/FakeNetwork.hpp"
#include "tests/support/WalletErrorMatchers.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using model::Card;
using testing::FakeNetwork;
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

}  // namespace
}  // namespace corvend
