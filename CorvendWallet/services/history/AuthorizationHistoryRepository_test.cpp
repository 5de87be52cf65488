#include "CorvendWallet/services/history/AuthorizationHistoryRepository.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/FakeNetwork.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using model::AuthorizationStatus;

const std::string kAuthorizations =
    testing::FakeNetwork::kBaseURL.absoluteString() + "digitalwallets/v1/profile/authorizations";

TEST(AuthorizationHistoryRepositoryTest, DefaultPageSendsNoQueryAndAHostMapperIsUsed) {
    const auto network = std::make_shared<testing::FakeNetwork>(std::string(
        R"({"authorizations":[{"id":"au-1","cardId":"card-1","status":"approved","amount":5,)"
        R"("currencyCode":"EUR","creationTime":"2024-03-05T14:07:09Z"}],)"
        R"("meta":{"numberOfRecords":21,"limit":10}})"));
    const auto page = AuthorizationHistoryRepository::make(network)->getAuthorizationHistory();
    ASSERT_EQ(page.authorizations().size(), 1u);
    EXPECT_EQ(page.authorizations()[0].status(), AuthorizationStatus::unknown);
    EXPECT_EQ(page.meta(), (model::PagingResultMeta{21, 10, std::nullopt, std::nullopt}));

    auto mapper = AuthorizationHistoryMapper::standard();
    int mapped = 0;
    mapper.mapAuthorizationList = [&mapped](const auto& reply) {
        ++mapped;
        return AuthorizationHistoryMapper::authorizationList(reply);
    };
    AuthorizationHistoryRepository::make(network, mapper)
        ->getAuthorizationHistory(model::GetAuthorizationHistoryParameters(
            5, std::nullopt, std::nullopt, std::nullopt, AuthorizationStatus::declined));
    EXPECT_EQ(mapped, 1);
    const auto sent = network->sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].url, kAuthorizations);
    EXPECT_EQ(sent[1].url, kAuthorizations + "?limit=5&status=DECLINED");
}

TEST(AuthorizationHistoryRepositoryTest, AnEmptyPageMayComeWithoutItsList) {
    const auto network =
        std::make_shared<testing::FakeNetwork>(std::string(R"({"meta":{"numberOfRecords":0}})"));
    const auto page = AuthorizationHistoryRepository::make(network)->getAuthorizationHistory();
    EXPECT_TRUE(page.authorizations().empty());
    EXPECT_EQ(page.meta().numberOfRecords, 0);
}

// Every member of an authorization reaches its own field.
TEST(AuthorizationHistoryRepositoryTest, EveryRepliedMemberReachesItsOwnField) {
    using Reason = model::SimpleFeePayment::FeePaymentReason;
    const std::string reply =
        R"({"id":"au-7","cardId":"card-8","status":"REVERSED","amount":650,)"
        R"("currencyCode":"HUF","creationTime":"2024-03-05T14:07:09.125Z","merchantName":"Cafe",)"
        R"("fees":[{"amount":150,"currency":"EUR","paymentReason":"ATM_FEE"},)"
        R"({"amount":20,"currency":"USD","paymentReason":"FX_FEE"}]})";
    const auto network = std::make_shared<testing::FakeNetwork>(reply);
    const auto repository = AuthorizationHistoryRepository::make(network);
    const auto authorization = repository->getAuthorization("au-7");
    EXPECT_EQ(authorization.id(), "au-7");
    EXPECT_EQ(authorization.cardID(), "card-8");
    EXPECT_EQ(authorization.status(), AuthorizationStatus::reversed);
    EXPECT_EQ(authorization.amount(), 650);
    EXPECT_EQ(authorization.currencyCode(), "HUF");
    EXPECT_EQ(authorization.creationTime(), testing::replyDate("2024-03-05T14:07:09.125Z"));
    EXPECT_EQ(authorization.merchantName(), "Cafe");
    EXPECT_EQ(authorization.fees(), (std::vector<model::SimpleFeePayment>{
                                        {150, "EUR", Reason::atmFee}, {20, "USD", Reason::fxFee}}));

    network->setBody(R"({"authorizations":[)" + reply + R"(],"meta":)" +
                     testing::kEveryPagingMember + "}");
    const auto page = repository->getAuthorizationHistory();
    EXPECT_EQ(page.authorizations(), std::vector{authorization});
    EXPECT_EQ(page.meta(), testing::kEveryPagingField);
}

// The outcomes as the service spells them (the service's own stand-in writes the same words).
TEST(AuthorizationHistoryRepositoryTest, StatusReadsEverySpelling) {
    const auto network = std::make_shared<testing::FakeNetwork>();
    const auto repository = AuthorizationHistoryRepository::make(network);
    testing::expectEachSpellingRead<AuthorizationStatus>(
        {{"APPROVED", AuthorizationStatus::approved},
         {"DECLINED", AuthorizationStatus::declined},
         {"REVERSED", AuthorizationStatus::reversed}},
        [&](const std::string& status) {
            network->setBody(R"({"id":"au-1","cardId":"card-1","status":)" + status +
                             R"(,"amount":5,"currencyCode":"EUR",)"
                             R"("creationTime":"2024-03-05T14:07:09Z"})");
            return repository->getAuthorization("au-1").status();
        });
}

}  // namespace
}  // namespace corvend
